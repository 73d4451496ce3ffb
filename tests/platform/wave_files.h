#pragma once
// Small PCM wave files for the sound tests, and ALSA devices that write what
// they are given to a file (the null device behind ALSA's "file" plugin), so a
// test can read back exactly what was played on a machine without a sound card.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kvx::test {

// Writes a 16-bit PCM RIFF wave.
inline void writeWave(const std::string& path, const std::vector<std::int16_t>& samples, int channels, int rate) {
    auto u32 = [](std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("RIFF", 4);
    u32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1);
    u16(out, static_cast<std::uint16_t>(channels));
    u32(out, static_cast<std::uint32_t>(rate));
    u32(out, static_cast<std::uint32_t>(rate * channels * 2));
    u16(out, static_cast<std::uint16_t>(channels * 2));
    u16(out, 16);
    out.write("data", 4);
    u32(out, bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

// An ALSA device name that writes raw samples to `path` (truncated on each open).
inline std::string fileDevice(const std::string& path) { return "file:'" + path + "',raw"; }

// ALSA's null device takes samples as fast as they come, so a file that a
// running sound writes grows quickly: tests wait on its size and read a bounded head.
inline std::uintmax_t sampleCount(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    return ec ? 0 : bytes / 2;
}

inline std::vector<std::int16_t> readSamples(const std::string& path, std::size_t most = SIZE_MAX) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(sampleCount(path), most)) * 2, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                               (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    return samples;
}

}  // namespace kvx::test
