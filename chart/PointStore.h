#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The values of a series whose X is the index: 8 bytes a point, kept in fixed blocks
// so that appending never copies what is held (no pause when a large series grows).
class PointStore {
public:
    static constexpr int blockBits = 16;
    static constexpr std::int64_t blockSize = std::int64_t{1} << blockBits;

    void append(double value);
    void clear();
    std::int64_t size() const { return m_size; }
    double at(std::int64_t index) const {
        return m_blocks[static_cast<std::size_t>(index >> blockBits)][index & (blockSize - 1)];
    }
    // Calls f(value) for the points first … last (inclusive), in order.
    template <typename F> void forEach(std::int64_t first, std::int64_t last, F&& f) const {
        for (std::int64_t i = first; i <= last; ++i) {
            f(at(i));
        }
    }
    // Bytes held for the points, the block table included.
    std::size_t bytesReserved() const;

private:
    std::vector<std::unique_ptr<double[]>> m_blocks;
    std::int64_t m_size = 0;
};
