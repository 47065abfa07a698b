#pragma once

#include <cstdint>
#include <random>
#include <string_view>

#include "text/text_types.h"

namespace tavrinel::text::testing_support {

// The fixed seed of the randomized comparisons; TAVRINEL_TEXT_SEED in the environment replaces
// it to explore other inputs. Each case seeds its own generator with seed + case number, so the
// seed and number printed on a failure reproduce that case alone.
std::uint32_t RandomSeed();

// A short random text of the system built to make near-misses likely: letters of both cases,
// bytes that differ from a letter only in bit 0x20 but must not fold ("[" "{", "@" "`", C1 E1),
// blanks and full-width blanks, digits, pairs whose second byte is ASCII (0x40-0x7E) or a digit,
// four-byte forms, and now and then a lone lead byte at the end.
Text RandomMixedText(std::mt19937& random, std::size_t maxCharacters);

// Either a piece of text cut at a random byte (so it may start or end inside a character) or a
// fresh random text of one or two characters; never empty.
Text RandomNeedle(std::mt19937& random, std::string_view text);

// A random integer in [low, high].
int RandomBetween(std::mt19937& random, int low, int high);

}  // namespace tavrinel::text::testing_support
