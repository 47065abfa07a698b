#include "random_text.h"

#include <array>
#include <cstdlib>
#include <string>

namespace tavrinel::text::testing_support {
namespace {

constexpr std::string_view kOneByteCharacters = "aAbB[{@`|: 1";
constexpr std::array<unsigned char, 6> kLeadBytes = {0x81, 0xA1, 0xB0, 0xC1, 0xE1, 0xFE};
constexpr std::array<unsigned char, 13> kSecondBytes = {0x40, 0x41, 0x61, 0x5B, 0x7B, 0x7E, 0x80,
                                                        0xA1, 0xB0, 0xC1, 0xE1, 0xFE, '1'};

template <typename Pool>
char Pick(std::mt19937& random, const Pool& pool) {
    const auto index =
        static_cast<std::size_t>(RandomBetween(random, 0, static_cast<int>(std::size(pool)) - 1));
    return static_cast<char>(pool[index]);
}

}  // namespace

std::uint32_t RandomSeed() {
    if (const char* seed = std::getenv("TAVRINEL_TEXT_SEED"); seed != nullptr && *seed != '\0') {
        return static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10));
    }
    return 20240611u;
}

int RandomBetween(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

Text RandomMixedText(std::mt19937& random, std::size_t maxCharacters) {
    Text text;
    const auto characters =
        static_cast<std::size_t>(RandomBetween(random, 0, static_cast<int>(maxCharacters)));
    for (std::size_t i = 0; i < characters; ++i) {
        const int kind = RandomBetween(random, 0, 99);
        if (kind < 45) {
            text.push_back(Pick(random, kOneByteCharacters));
        } else if (kind < 80) {
            text.push_back(Pick(random, kLeadBytes));
            text.push_back(Pick(random, kSecondBytes));
        } else if (kind < 88) {
            text.append("\xA1\xA1");
        } else {
            text.push_back(Pick(random, kLeadBytes));
            text.push_back(static_cast<char>('0' + RandomBetween(random, 0, 9)));
            text.push_back(Pick(random, kLeadBytes));
            text.push_back(static_cast<char>('0' + RandomBetween(random, 0, 9)));
        }
    }
    if (RandomBetween(random, 0, 3) == 0) {
        text.push_back(Pick(random, kLeadBytes));
    }
    return text;
}

Text RandomNeedle(std::mt19937& random, std::string_view text) {
    if (!text.empty() && RandomBetween(random, 0, 1) == 0) {
        const int last = static_cast<int>(text.size()) - 1;
        const auto from = static_cast<std::size_t>(RandomBetween(random, 0, last));
        const auto length = static_cast<std::size_t>(RandomBetween(random, 1, 5));
        return Text(text.substr(from, length));
    }
    Text needle;
    while (needle.empty()) {
        needle = RandomMixedText(random, 2);
    }
    return needle;
}

}  // namespace tavrinel::text::testing_support
