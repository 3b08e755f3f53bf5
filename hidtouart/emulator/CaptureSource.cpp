#include "LineSource.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace hidtouart {

namespace {
constexpr std::size_t pieceSize = 17;
constexpr std::uint64_t piecePeriodUs = 500000;
} // namespace

CaptureSource::CaptureSource(std::vector<std::uint8_t> bytes, std::uint64_t originUs)
    : m_bytes(std::move(bytes)), m_originUs(originUs) {}

std::unique_ptr<CaptureSource> CaptureSource::fromFile(const std::string& path,
                                                       std::uint64_t originUs) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return nullptr;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        return nullptr;
    }
    return std::make_unique<CaptureSource>(std::move(bytes), originUs);
}

std::optional<std::uint64_t> CaptureSource::nextStartUs() const {
    if (m_bytes.empty()) {
        return std::nullopt;
    }
    return m_originUs + m_piece * piecePeriodUs;
}

LineBurst CaptureSource::takeBurst() {
    LineBurst burst;
    burst.startUs = *nextStartUs();
    const std::size_t n = std::min(pieceSize, m_bytes.size() - m_offset);
    burst.bytes.assign(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_offset),
                       m_bytes.begin() + static_cast<std::ptrdiff_t>(m_offset + n));
    m_offset += n;
    if (m_offset == m_bytes.size()) {
        m_offset = 0;
    }
    ++m_piece;
    return burst;
}

} // namespace hidtouart
