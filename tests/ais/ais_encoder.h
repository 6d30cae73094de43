#pragma once

// Writes AIS messages field by field, as a transponder would, for the tests to decode.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brisomar::test {

class AisEncoder {
public:
    AisEncoder& put(std::int64_t value, int bits) {
        for (int bit = bits - 1; bit >= 0; --bit)
            bits_.push_back(bit < 63 && ((value >> bit) & 1) != 0); // wider: zeros
        return *this;
    }
    // Fields one after another, each a value and its width in bits.
    AisEncoder& put(std::initializer_list<std::pair<std::int64_t, int>> fields) {
        for (const auto& [value, bits] : fields)
            put(value, bits);
        return *this;
    }
    // Six-bit text, padded with "@" to `characters`.
    AisEncoder& text(std::string_view t, int characters) {
        for (int i = 0; i < characters; ++i) {
            const char c = i < static_cast<int>(t.size()) ? t[i] : '@';
            put(c >= 64 ? c - 64 : c, 6);
        }
        return *this;
    }
    // Degrees as 1/10000 minute (or `perDegree`).
    AisEncoder& degrees(double d, int bits, double perDegree = 600000) {
        return put(static_cast<std::int64_t>(d * perDegree + (d < 0 ? -0.5 : 0.5)), bits);
    }
    std::size_t size() const { return bits_.size(); }

    // The payload and its fill bits.
    std::string payload(int& fillBits) const {
        fillBits = static_cast<int>((6 - bits_.size() % 6) % 6);
        std::string p;
        for (std::size_t i = 0; i < bits_.size(); i += 6) {
            int v = 0;
            for (std::size_t j = i; j < i + 6; ++j)
                v = v * 2 + (j < bits_.size() && bits_[j] ? 1 : 0);
            p += static_cast<char>(v < 40 ? v + 48 : v + 56);
        }
        return p;
    }

    // The sentences carrying the message, at most `perSentence` characters each.
    std::vector<std::string> sentences(std::size_t perSentence = 60, char sequence = '3',
                                       std::string_view talker = "AIVDM") const {
        int fill = 0;
        const std::string p = payload(fill);
        const std::size_t count = (p.size() + perSentence - 1) / perSentence;
        std::vector<std::string> out;
        for (std::size_t i = 0; i < count; ++i) {
            const bool last = i + 1 == count;
            out.push_back(sentence(
                std::string(talker) + "," + std::to_string(count) + "," + std::to_string(i + 1) +
                "," + (count > 1 ? std::string(1, sequence) : "") + ",A," +
                p.substr(i * perSentence, perSentence) + "," + std::to_string(last ? fill : 0)));
        }
        return out;
    }

    // "!" and the body with its checksum.
    static std::string sentence(std::string_view body) {
        unsigned sum = 0;
        for (const char c : body)
            sum ^= static_cast<unsigned char>(c);
        char hex[4];
        std::snprintf(hex, sizeof hex, "*%02X", sum);
        return "!" + std::string(body) + hex;
    }

private:
    std::vector<bool> bits_;
};

} // namespace brisomar::test
