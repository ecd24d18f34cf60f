// Free-format reading of the input data file: records, values and separators.
#include "platform/freeformat.h"

#include "platform/codepage.h"
#include "platform/value_syntax.h"

namespace platform {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Whether the line that begins at `start` separates two of its values by blanks alone, with no
// comma beside them. A text in apostrophes or quotation marks counts as one value: its blanks
// and commas are its own.
bool separates_by_blanks(std::string_view data, std::size_t start)
{
    bool value_before = false;  // a value ends just before the current blanks
    bool blanks = false;        // blanks follow that value
    for (std::size_t at = start; at < data.size() && data[at] != '\n'; ++at) {
        const char c = data[at];
        if (is_blank(c)) {
            blanks = value_before;
            continue;
        }
        if (c == ',') {
            value_before = blanks = false;
            continue;
        }
        if (blanks) return true;
        if (c == '\'' || c == '"') {
            const std::size_t close = data.find_first_of(std::string{c, '\n'}, at + 1);
            if (close == std::string_view::npos || data[close] == '\n') return false;
            at = close;
        }
        value_before = true;
    }
    return false;
}

// The UTF-8 byte-order mark that Windows editors put before the first line of a file.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// The file's bytes with one leading byte-order mark skipped, DOS line ends made plain and a
// final Ctrl-Z removed.
std::string normalised(std::string bytes)
{
    std::string data;
    data.reserve(bytes.size());
    const std::size_t first = std::string_view(bytes).starts_with(byte_order_mark) ? byte_order_mark.size() : 0;
    for (std::size_t i = first; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) data += bytes[i];
    if (!data.empty() && data.back() == '\r') data.pop_back();  // a last line ended by CR alone
    constexpr char ctrl_z = '\x1A';
    if (data.size() >= 2 && data[data.size() - 2] == ctrl_z && data.back() == '\n')
        data.resize(data.size() - 2);
    else if (!data.empty() && data.back() == ctrl_z)
        data.pop_back();
    return data;
}

// Input text in UTF-8: taken as it is when it is UTF-8, else as code page 1250.
std::string as_utf8(std::string_view bytes)
{
    return is_valid_utf8(bytes) ? std::string(bytes) : from_cp1250(bytes);
}

}  // namespace

FreeFormatReader::FreeFormatReader(std::string bytes) : data_(normalised(std::move(bytes))) {}

void FreeFormatReader::begin_record()
{
    comma_allowed_ = false;
    record_has_line_ = false;
    if (!mid_line_) return;
    const std::size_t line_end = data_.find('\n', pos_);
    pos_ = line_end == std::string::npos ? data_.size() : line_end + 1;
    mid_line_ = false;
}

ReadStatus FreeFormatReader::seek_value()
{
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (is_blank(c)) {
            ++pos_;
        } else if (c == '\n') {
            ++pos_;
            mid_line_ = false;
        } else if (c == ',') {
            mark_record_line();
            ++pos_;
            mid_line_ = true;
            if (!comma_allowed_) return ReadStatus::error;  // an empty value
            comma_allowed_ = false;
        } else {
            const std::size_t newline = pos_ == 0 ? std::string::npos : data_.rfind('\n', pos_ - 1);
            value_line_start_ = newline == std::string::npos ? 0 : newline + 1;
            mark_record_line();
            return ReadStatus::ok;
        }
    }
    mid_line_ = false;
    return ReadStatus::end_of_file;
}

std::string_view FreeFormatReader::take_token()
{
    const std::size_t start = pos_;
    while (pos_ < data_.size() && !ends_value(data_[pos_])) ++pos_;
    mid_line_ = true;
    comma_allowed_ = true;
    return std::string_view(data_).substr(start, pos_ - start);
}

ReadStatus FreeFormatReader::after_number(std::string_view token) const
{
    if (!refuse_decimal_commas_ || token.empty() || !is_digit(token.back())) return ReadStatus::ok;
    if (pos_ + 1 >= data_.size() || data_[pos_] != ',' || !is_digit(data_[pos_ + 1])) return ReadStatus::ok;
    return separates_by_blanks(data_, value_line_start_) ? ReadStatus::decimal_comma : ReadStatus::ok;
}

ReadStatus FreeFormatReader::read_int16(std::int16_t& value)
{
    if (const ReadStatus found = seek_value(); found != ReadStatus::ok) return found;
    const std::string_view token = take_token();
    const auto number = parse_int16(token);
    if (!number) return ReadStatus::error;
    value = *number;
    return after_number(token);
}

ReadStatus FreeFormatReader::read_real(double& value)
{
    if (const ReadStatus found = seek_value(); found != ReadStatus::ok) return found;
    const std::string_view token = take_token();
    const auto number = parse_real(token);
    if (!number) return ReadStatus::error;
    value = *number;
    return after_number(token);
}

ReadStatus FreeFormatReader::read_real32(float& value)
{
    if (const ReadStatus found = seek_value(); found != ReadStatus::ok) return found;
    const std::string_view token = take_token();
    const auto number = parse_real32(token);
    if (!number) return ReadStatus::error;
    value = *number;
    return after_number(token);
}

ReadStatus FreeFormatReader::read_text(std::string& value)
{
    if (const ReadStatus found = seek_value(); found != ReadStatus::ok) return found;
    const char mark = data_[pos_];
    if (mark != '\'' && mark != '"') {
        take_token();
        return ReadStatus::error;
    }
    std::string text;
    std::size_t at = pos_ + 1;
    for (;;) {
        if (at >= data_.size() || data_[at] == '\n') {  // no closing mark on the line
            pos_ = at;
            mid_line_ = true;
            return ReadStatus::error;
        }
        if (data_[at] == mark) {
            if (at + 1 < data_.size() && data_[at + 1] == mark) {
                text += mark;
                at += 2;
                continue;
            }
            break;
        }
        text += data_[at++];
    }
    pos_ = at + 1;
    // The closing mark must end the value; anything glued to it makes the value unreadable.
    const bool separated = pos_ >= data_.size() || ends_value(data_[pos_]);
    take_token();
    if (!separated) return ReadStatus::error;
    value = as_utf8(text);
    return ReadStatus::ok;
}

void FreeFormatReader::mark_record_line()
{
    if (record_has_line_) return;
    const std::size_t newline = pos_ == 0 ? std::string::npos : data_.rfind('\n', pos_ - 1);
    record_line_start_ = newline == std::string::npos ? 0 : newline + 1;
    record_has_line_ = true;
}

bool FreeFormatReader::record_first_line(std::string& line) const
{
    if (!record_has_line_) return false;
    const std::size_t line_end = data_.find('\n', record_line_start_);
    const std::size_t end = line_end == std::string::npos ? data_.size() : line_end;
    line = as_utf8(std::string_view(data_).substr(record_line_start_, end - record_line_start_));
    return true;
}

void FreeFormatReader::back_to_value_line()
{
    pos_ = value_line_start_;
    mid_line_ = false;
    comma_allowed_ = false;
}

bool FreeFormatReader::read_line_text(std::string& line)
{
    begin_record();
    if (pos_ >= data_.size()) return false;
    const std::size_t line_end = data_.find('\n', pos_);
    const std::size_t end = line_end == std::string::npos ? data_.size() : line_end;
    line = as_utf8(std::string_view(data_).substr(pos_, end - pos_));
    pos_ = line_end == std::string::npos ? data_.size() : line_end + 1;
    mid_line_ = false;
    return true;
}

}  // namespace platform
