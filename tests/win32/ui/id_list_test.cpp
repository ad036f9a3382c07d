// Identifier lists built by hand in the shell's layout: sizes, joining and the last element.
#include "shell_doubles.h"
#include "ui/id_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using Bytes = std::vector<BYTE>;

// Elements of the given payloads, each behind its 16-bit count, then the terminator.
Bytes MakeList(const std::vector<Bytes>& payloads) {
    Bytes list;
    for (const Bytes& payload : payloads) {
        const size_t size = payload.size() + 2;
        list.push_back(static_cast<BYTE>(size & 0xFF));
        list.push_back(static_cast<BYTE>(size >> 8));
        list.insert(list.end(), payload.begin(), payload.end());
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

LPCITEMIDLIST AsList(const Bytes& bytes) {
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

Bytes Contents(LPCITEMIDLIST list) {
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    return Bytes(bytes, bytes + GetIdListSize(list) + 2);
}
} // namespace

TEST(IdList, SizeCountsTheElementsButNotTheTerminator) {
    EXPECT_EQ(GetIdListSize(nullptr), 0u);
    EXPECT_EQ(GetIdListSize(AsList(MakeList({}))), 0u);
    EXPECT_EQ(GetIdListSize(AsList(MakeList({{'a'}}))), 3u);
    EXPECT_EQ(GetIdListSize(AsList(MakeList({{'a', 'b'}, {'c'}, Bytes(300, 'x')}))), 4u + 3u + 302u);
}

TEST(IdList, LastItemIsTheFinalElementOrTheEmptyListItself) {
    const Bytes empty = MakeList({});
    EXPECT_EQ(GetLastItemId(AsList(empty)), AsList(empty));
    EXPECT_EQ(GetLastItemId(nullptr), nullptr);
    const Bytes one = MakeList({{'a', 'b'}});
    EXPECT_EQ(GetLastItemId(AsList(one)), AsList(one));
    // An odd-sized first element puts the last one at an odd address.
    const Bytes three = MakeList({{'a'}, {'b', 'c'}, {'d', 'e', 'f'}});
    LPCITEMIDLIST last = GetLastItemId(AsList(three));
    EXPECT_EQ(reinterpret_cast<const BYTE*>(last) - three.data(), 3 + 4);
    EXPECT_EQ(Contents(last), MakeList({{'d', 'e', 'f'}}));
}

TEST(IdList, ConcatenationCopiesBothListsIntoOneBlockOfTheAllocator) {
    CountingMalloc malloc;
    const Bytes first = MakeList({{'a'}, {'b', 'c'}});
    const Bytes second = MakeList({{'d', 'e', 'f'}});
    {
        CIdList joined(&malloc, ConcatIdLists(&malloc, AsList(first), AsList(second)));
        ASSERT_TRUE(joined);
        EXPECT_EQ(Contents(joined.Get()), MakeList({{'a'}, {'b', 'c'}, {'d', 'e', 'f'}}));
        EXPECT_EQ(malloc.GetSize(joined.Get()), first.size() + second.size() - 2);

        CIdList copy(&malloc, ConcatIdLists(&malloc, AsList(MakeList({})), AsList(second)));
        ASSERT_TRUE(copy);
        EXPECT_EQ(Contents(copy.Get()), second);
        CIdList moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(malloc.live.size(), 2u);
    }
    EXPECT_TRUE(malloc.live.empty()) << "the owners freed both";
    EXPECT_EQ(malloc.allocations, 2);
}

TEST(IdList, ConcatenationGivesNoListForTwoEmptyOnesOrWhenMemoryRunsOut) {
    CountingMalloc malloc;
    const Bytes empty = MakeList({});
    EXPECT_EQ(ConcatIdLists(&malloc, AsList(empty), nullptr), nullptr);
    malloc.failAllocations = true;
    EXPECT_EQ(ConcatIdLists(&malloc, AsList(MakeList({{'a'}})), AsList(empty)), nullptr);
    EXPECT_TRUE(malloc.live.empty());
}
