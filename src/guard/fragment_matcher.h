#pragma once
// The whitelist's fragment test over all entries at once.
//
// An address is allowed when it holds any form of an entry (whitelistEntryForms:
// as written, with its host in the canonical form, and their http/https twins),
// ASCII case folded, in the entry's search part (whitelistSearchPart). Walking the
// list for every navigation costs time in proportion to the list; this matcher
// builds one Aho-Corasick automaton over the folded entries and their twins, and
// answers in one pass over the address, whatever the size of the list.
//
// The answer is, for every input, the one of
//     any_of(entries, [&](e) { return whitelistEntryMatches(e, address); })
// which stays the reference the matcher is checked against.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace tovalin {

class FragmentMatcher {
public:
    FragmentMatcher() = default;

    /// Adds one entry (as written); an empty entry allows nothing and is skipped.
    /// Call build() after the last one.
    void addEntry(QStringView entry);
    /// Builds the automaton from the entries added; queries need it built.
    void build();
    /// Forgets every entry.
    void clear();

    /// True when some entry allows the (normalised, not yet folded) address.
    bool matches(QStringView normalAddress) const;

    /// How many patterns (folded entries and twins) were added.
    qsizetype patternCount() const { return m_patterns; }
    /// Bytes the automaton takes.
    qsizetype memoryBytes() const;

private:
    // Where a pattern that ends in a state may be found: before the query only, or anywhere.
    enum : std::uint8_t { kEndsBeforeQuery = 1, kEndsAnywhere = 2 };

    struct Node {
        std::uint32_t firstChild = 0; // 0: none (the root is never a child)
        std::uint32_t nextSibling = 0;
        std::uint32_t fail = 0;
        char16_t ch = 0;
        std::uint8_t ends = 0; // patterns ending here or at a suffix (through the fail links)
    };

    void insert(QStringView folded, std::uint8_t where);
    std::uint32_t child(std::uint32_t node, char16_t c) const;
    std::uint32_t step(std::uint32_t node, char16_t c) const;

    std::vector<Node> m_nodes{Node{}};
    std::vector<std::uint32_t> m_rootNext; // the root's transitions, one per UTF-16 unit
    qsizetype m_patterns = 0;
    bool m_built = true; // an empty automaton answers "no" without building
};

} // namespace tovalin
