#include "core/logger/impl/BackInsertIterator.hpp"

#include <gtest/gtest.h>

using ox::core::logger::ELogLevel;
using ox::core::logger::impl::BackInsertIterator;
using Lines = std::vector<std::string>;

namespace {

TEST(BackInsertIteratorTest, ALineLimitKeepsOnlyTheMostRecentLinesInOrder) {
    struct Case {
        std::size_t limit;
        int written;
        Lines kept;
    };
    const std::vector<Case> cases = {
        {3, 2, {"0", "1"}},
        {3, 3, {"0", "1", "2"}},
        {3, 4, {"1", "2", "3"}},
        {3, 7, {"4", "5", "6"}},
        {1, 3, {"2"}},
        {0, 2, {}},
        {BackInsertIterator::unlimited, 5, {"0", "1", "2", "3", "4"}},
    };
    for (const auto& [limit, written, kept] : cases) {
        Lines lines;
        BackInsertIterator writer(&lines, ELogLevel::Debug, limit);
        for (int i = 0; i < written; ++i) {
            writer.write(ELogLevel::Info, std::to_string(i));
        }
        EXPECT_EQ(lines, kept) << "limit " << limit << ", " << written << " lines written";
    }
}

TEST(BackInsertIteratorTest, AListAlreadyOverTheLimitIsCutToItAtTheNextLine) {
    Lines lines = {"a", "b", "c", "d"};
    BackInsertIterator writer(&lines, ELogLevel::Debug, 2);
    writer.write(ELogLevel::Info, "e");
    EXPECT_EQ(lines, (Lines{"d", "e"}));
    // Lines below the threshold neither enter nor push anything out.
    writer.write(ELogLevel::None, "dropped");
    EXPECT_EQ(lines, (Lines{"d", "e"}));
}

} // namespace
