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

    // The trie entries are added to: each node's children in a linked list.
    struct Node {
        std::uint32_t firstChild = 0; // 0: none (the root is never a child)
        std::uint32_t nextSibling = 0;
        char16_t ch = 0;
        std::uint8_t ends = 0; // patterns ending here
    };
    // The built automaton: the children of a state are numbered together, sorted by the unit
    // leading into them, and their units lie side by side in m_labels, so that finding a child
    // reads one short run of memory instead of one node per sibling. The runs are laid out
    // depth first, so a path with one child per state (most of an entry) lies in one stretch.
    struct State {
        std::uint32_t first = 0; // the first child
        std::uint32_t fail = 0;
        std::uint32_t children : 24 = 0; // how many: at most one per UTF-16 unit
        std::uint32_t ends : 8 = 0; // low bits: patterns ending here or at a suffix; shifted by kOwnShift: here
    };
    static constexpr int kOwnShift = 2;

    void insert(QStringView folded, std::uint8_t where);
    void unpack();
    std::uint32_t nodeChild(std::uint32_t node, char16_t c) const;
    std::uint32_t child(std::uint32_t state, char16_t c) const;
    std::uint32_t step(std::uint32_t state, char16_t c) const;

    std::vector<Node> m_nodes{Node{}}; // empty once built, until an entry is added again
    std::vector<State> m_states;
    std::vector<char16_t> m_labels;
    std::vector<std::uint32_t> m_rootNext; // the root's transitions, one per UTF-16 unit
    qsizetype m_patterns = 0;
    bool m_built = true; // an empty automaton answers "no" without building
};

} // namespace tovalin
