// Free-format (list-directed) reading of an input data file held in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// decimal_comma: a number followed by a comma and a digit on a line whose values are separated
// by blanks (only where the reader refuses decimal commas).
enum class ReadStatus { ok, end_of_file, error, decimal_comma };

// Values are separated by blanks, tabs or one comma (with blanks around it); two commas with no
// value between them are a read error, and so is a comma before the first value of a record.
// Every read of a record starts at the beginning of a line: values left on the line of the
// previous record are ignored. A record may span lines; empty lines are passed over while values
// are sought. A value runs to the next blank, tab, comma or line end.
// A carriage return before a line feed, a Ctrl-Z that ends the file and one UTF-8 byte-order
// mark that begins it are ignored (files written on DOS or Windows read the same).
// After a value that cannot be read, the reader stands behind it on its line, so that
// read_line_text gives the line after it and back_to_value_line the line itself.
class FreeFormatReader {
public:
    // bytes: the whole content of the input file.
    explicit FreeFormatReader(std::string bytes);

    // From here on a number read is refused (ReadStatus::decimal_comma) when a comma and a digit
    // follow it with no blank between, on a line that separates some of its values by blanks
    // alone ("1 6 1000,5 2000.0"): that comma is a decimal comma, not a separator. Lines whose
    // values are all separated by commas ("101,6,1000.0,2000.0", "101, 6, 1000.0, 2000.0") read
    // as before.
    void refuse_decimal_commas() { refuse_decimal_commas_ = true; }
    // Starts a new record: the rest of the current line is passed over.
    void begin_record();
    // One value of the record. end_of_file when the file ends before the value; error when the
    // text there is not a value of that kind (a 16-bit integer that does not fit is an error).
    ReadStatus read_int16(std::int16_t& value);
    // A real: optional sign, digits with an optional decimal point, optional exponent with E, e,
    // D or d (1, 1.5, .5, 5., -2.5e3, 2.5D3); a value beyond the range of the type is an error,
    // one too small for it reads as the nearest value the type holds.
    ReadStatus read_real(double& value);
    // As read_real, the decimal text rounded once, straight to 32 bits.
    ReadStatus read_real32(float& value);
    // A text value enclosed in apostrophes or quotation marks; a doubled mark stands for one
    // mark. A value without the enclosing marks, or whose closing mark is missing on its line or
    // is not followed by a separator, is an error. The text is returned in UTF-8: bytes that are
    // not UTF-8 are taken as code page 1250 (files written on Windows).
    ReadStatus read_text(std::string& value);
    // Steps back to the beginning of the line from which the last value was read, so that the
    // next begin_record reads that line again.
    void back_to_value_line();
    // Reads the next whole line as text (the line after the one where the last read stopped);
    // false at the end of the file. Converted to UTF-8 as read_text does.
    bool read_line_text(std::string& line);
    // The whole line on which the current record begins (its first value, or the separator
    // found in place of one), converted as read_text does; false when the record has found no
    // line before the end of the file.
    bool record_first_line(std::string& line) const;

private:
    // Moves to the first character of the next value: ok there, end_of_file at the end of the
    // data, error on a comma that no value precedes.
    ReadStatus seek_value();
    // The value that begins at the current position, up to its separator; the position moves
    // behind it.
    std::string_view take_token();
    // Notes the current line as the record's first one, unless the record has one already.
    void mark_record_line();
    // The status of a number just read whose token ends at the current position: ok, or
    // decimal_comma (see refuse_decimal_commas).
    ReadStatus after_number(std::string_view token) const;

    std::string data_;
    std::size_t pos_ = 0;             // next character to read
    std::size_t value_line_start_ = 0; // start of the line of the last value read
    std::size_t record_line_start_ = 0; // start of the line on which the current record begins
    bool record_has_line_ = false;     // the current record has met a value or a separator
    bool mid_line_ = false;            // the current line has been read from
    bool comma_allowed_ = false;       // a value of this record precedes, with no comma after it
    bool refuse_decimal_commas_ = false;
};

}  // namespace platform
