#include "PointStore.h"

void PointStore::append(double value) {
    const auto block = static_cast<std::size_t>(m_size >> blockBits);
    if (block == m_blocks.size()) {
        m_blocks.push_back(std::make_unique_for_overwrite<double[]>(blockSize));
    }
    m_blocks[block][m_size & (blockSize - 1)] = value;
    ++m_size;
}

void PointStore::clear() {
    // The memory of a long session goes back to the system.
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_size = 0;
}

std::size_t PointStore::bytesReserved() const {
    return m_blocks.size() * static_cast<std::size_t>(blockSize) * sizeof(double) +
           m_blocks.capacity() * sizeof(m_blocks[0]);
}
