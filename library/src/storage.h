// The run's matrix storage: blocks that are faulted in once per run and handed on from a matrix
// that goes away to the next matrix of the same layout.
#pragma once
#include <cstddef>
#include <cstdint>

namespace library::storage {

struct Block {
    void* data = nullptr;
    bool used = false;  // false: every bit is zero; true: as the last matrix of this layout left it
};

// A block of `bytes` bytes for a matrix of the given layout (a key that determines `bytes`),
// aligned for doubles; no block for 0 bytes. A block that an earlier matrix of the same layout
// gave back comes as used, and the new matrix clears it; any other comes with all bits zero.
// Throws std::bad_alloc when there is no memory.
Block take(std::size_t bytes, std::uint32_t layout);

// Gives back a block that take() handed out for this layout. It is kept for the next matrix of
// the layout; it goes back to the system only where the address sanitizer watches the blocks,
// where the block was too large for the run's regions, or where too much is kept already.
void give_back(void* data, std::size_t bytes, std::uint32_t layout) noexcept;

}  // namespace library::storage
