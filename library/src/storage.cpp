// The run's matrix storage. The matrices come from large regions of address space that the
// system gives as zero pages on first touch; a block that goes away is kept and handed to the
// next matrix of the same layout. So every page is faulted in once per run and nothing goes back
// to the system while the run lasts. The regions ask for large pages, so that the kernel maps
// them in a few faults where it can (with small pages the storage works just the same).
#include "storage.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <mutex>
#include <new>
#include <vector>

#include <sys/mman.h>

namespace library::storage {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// With the address sanitizer every block comes from calloc and goes back to free, so that the
// sanitizer watches its bounds and its use after the matrix went away.
constexpr bool own_regions = false;
#else
constexpr bool own_regions = true;
#endif

constexpr std::size_t page = 4096;                            // the kernel's small page
constexpr std::size_t large_page = std::size_t{2} << 20;     // the kernel's large page on x86-64
constexpr std::size_t region_bytes = std::size_t{64} << 20;  // address space per region
constexpr std::size_t largest_kept = std::size_t{256} << 20; // blocks kept at most, in bytes
constexpr std::size_t block_alignment = 64;                  // a cache line

std::size_t round_up(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

struct Pool {
    std::mutex lock;
    std::map<std::uint32_t, std::vector<void*>> kept;  // blocks given back, by layout
    std::size_t kept_bytes = 0;
    char* next = nullptr;  // the unused rest of the current region
    char* end = nullptr;
};

// Never destroyed: a matrix with static storage duration may go away after it would be.
Pool& pool()
{
    static Pool* const p = new Pool;
    return *p;
}

// Address space for a new region, aligned to a large page; nullptr when the system refuses.
char* new_region()
{
    void* p = mmap(nullptr, region_bytes + large_page, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    char* const start = reinterpret_cast<char*>(round_up(reinterpret_cast<std::uintptr_t>(p), large_page));
#if defined(MADV_HUGEPAGE)
    madvise(start, region_bytes, MADV_HUGEPAGE);  // advice only: small pages serve as well
#endif
    return start;
}

// A block too large for a region: pages of its own, unmapped when it goes away.
void* own_pages(std::size_t bytes)
{
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return p;
}

bool too_large(std::size_t size) { return size > region_bytes / 4; }

}  // namespace

Block take(std::size_t bytes, std::uint32_t layout)
{
    if (bytes == 0) return {};
    if constexpr (!own_regions) {
        void* p = std::calloc(bytes, 1);
        if (!p) throw std::bad_alloc();
        return {p, false};
    }
    const std::size_t size = round_up(bytes, block_alignment);
    if (too_large(size)) return {own_pages(size), false};
    Pool& pool = storage::pool();
    std::lock_guard<std::mutex> guard(pool.lock);
    const auto kept = pool.kept.find(layout);
    if (kept != pool.kept.end() && !kept->second.empty()) {
        void* p = kept->second.back();
        kept->second.pop_back();
        pool.kept_bytes -= size;
        return {p, true};
    }
    if (static_cast<std::size_t>(pool.end - pool.next) < size) {
        char* const region = new_region();
        if (!region) return {own_pages(size), false};
        pool.next = region;
        pool.end = region + region_bytes;
    }
    void* p = pool.next;
    pool.next += size;
    return {p, false};
}

void give_back(void* data, std::size_t bytes, std::uint32_t layout) noexcept
{
    if (!data) return;
    if constexpr (!own_regions) {
        std::free(data);
        return;
    }
    const std::size_t size = round_up(bytes, block_alignment);
    if (too_large(size)) {
        munmap(data, size);
        return;
    }
    Pool& pool = storage::pool();
    std::lock_guard<std::mutex> guard(pool.lock);
    if (pool.kept_bytes + size > largest_kept) {
        // Not kept: its whole pages go back to the system, its address space stays unused.
        const std::uintptr_t from = round_up(reinterpret_cast<std::uintptr_t>(data), page);
        const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
        if (from < to) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        return;
    }
    try {
        pool.kept[layout].push_back(data);
        pool.kept_bytes += size;
    } catch (const std::bad_alloc&) {
        // No room to note the block: it stays unused (matrices go away without exceptions).
    }
}

}  // namespace library::storage
