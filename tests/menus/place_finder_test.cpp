#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/menus/place_finder.h"

namespace {

// Every newline, found one call after the other, as find would find them:
// texts of every length around the 16- and 64-byte blocks the masks are
// made of, with the newlines in the first, a middle and the last byte.
TEST(PlaceFinder, FindsEveryNewlineInOrderWhateverTheLength) {
    for (size_t size = 0; size <= 200; ++size) {
        for (size_t step : {1, 7, 16, 63, 64, 65}) {
            std::string text(size, 'x');
            for (size_t at = step - 1; at < size; at += step)
                text[at] = '\n';
            if (size > 0)
                text.back() = '\n';
            std::vector<size_t> expected;
            for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
                expected.push_back(at);
            expected.push_back(size);

            NewlineFinder finder(text);
            std::vector<size_t> found;
            for (size_t from = 0;; from = found.back() + 1) {
                found.push_back(finder.Next(from));
                // Asking again, or from before the place found, finds it again.
                EXPECT_EQ(found.back(), finder.Next(from)) << "size " << size << ", step " << step;
                if (found.back() == size)
                    break;
            }
            EXPECT_EQ(expected, found) << "size " << size << ", step " << step;
        }
    }
}

}  // namespace
