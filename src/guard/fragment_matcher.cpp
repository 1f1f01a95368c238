#include "guard/fragment_matcher.h"

#include "guard/address_match.h"

#include <algorithm>

namespace tovalin {

namespace {

inline char16_t foldUnit(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

} // namespace

void FragmentMatcher::clear()
{
    m_nodes.assign(1, Node{});
    m_states = {};
    m_labels = {};
    m_rootNext = {};
    m_patterns = 0;
    m_built = true;
}

void FragmentMatcher::addEntry(QStringView entry)
{
    if (entry.isEmpty())
        return;
    // An entry with a "?" names a page with its query and is looked for in the whole address;
    // any other only before the address's query or fragment.
    const std::uint8_t where = entry.contains(u'?') ? kEndsAnywhere : kEndsBeforeQuery;
    // As written, with its host in the form addresses are read in, and the http/https twin of
    // each (whitelistEntryForms; a form added twice is one path of the automaton).
    const QString text = entry.toString();
    const QString canonical = entryWithCanonicalHost(entry);
    for (const QString &form : {text, canonical}) {
        if (form.isEmpty())
            continue;
        insert(foldCase(form), where);
        const QString twin = otherWebScheme(form);
        if (!twin.isEmpty())
            insert(foldCase(twin), where);
    }
}

void FragmentMatcher::insert(QStringView folded, std::uint8_t where)
{
    if (m_nodes.empty())
        unpack();
    m_built = false;
    std::uint32_t node = 0;
    for (const QChar qc : folded) {
        const char16_t c = qc.unicode();
        std::uint32_t next = nodeChild(node, c);
        if (next == 0) {
            next = std::uint32_t(m_nodes.size());
            Node n;
            n.ch = c;
            n.nextSibling = m_nodes[node].firstChild;
            m_nodes.push_back(n);
            m_nodes[node].firstChild = next;
        }
        node = next;
    }
    ++m_patterns;
    m_nodes[node].ends |= where;
}

void FragmentMatcher::unpack()
{
    // Back to a trie entries can be added to, numbered as the states are.
    const std::size_t n = m_labels.size();
    m_nodes.assign(std::max<std::size_t>(n, 1), Node{});
    for (std::uint32_t u = 0; u < n; ++u) {
        m_nodes[u].ends = std::uint8_t(m_states[u].ends >> kOwnShift);
        for (std::uint32_t v = m_states[u].first + m_states[u].children; v-- > m_states[u].first;) {
            m_nodes[v].ch = m_labels[v];
            m_nodes[v].nextSibling = m_nodes[u].firstChild;
            m_nodes[u].firstChild = v;
        }
    }
    m_states = {};
    m_labels = {};
    m_rootNext = {};
}

std::uint32_t FragmentMatcher::nodeChild(std::uint32_t node, char16_t c) const
{
    for (std::uint32_t k = m_nodes[node].firstChild; k != 0; k = m_nodes[k].nextSibling) {
        if (m_nodes[k].ch == c)
            return k;
    }
    return 0;
}

std::uint32_t FragmentMatcher::child(std::uint32_t state, char16_t c) const
{
    const std::uint32_t begin = m_states[state].first;
    const std::uint32_t end = begin + m_states[state].children;
    const char16_t *labels = m_labels.data();
    if (end - begin <= 8) {
        for (std::uint32_t k = begin; k < end; ++k) {
            if (labels[k] >= c)
                return labels[k] == c ? k : 0;
        }
        return 0;
    }
    const char16_t *found = std::lower_bound(labels + begin, labels + end, c);
    return (found != labels + end && *found == c) ? std::uint32_t(found - labels) : 0;
}

std::uint32_t FragmentMatcher::step(std::uint32_t state, char16_t c) const
{
    while (state != 0) {
        if (const std::uint32_t next = child(state, c))
            return next;
        state = m_states[state].fail;
    }
    return m_rootNext[c];
}

void FragmentMatcher::build()
{
    if (m_built)
        return;
    // Number the trie's nodes: each node's children together and sorted by unit, depth first.
    const std::size_t n = m_nodes.size();
    std::vector<std::uint32_t> node(n, 0); // node[state]: the trie node it was
    m_states.assign(n, State{});
    m_labels.assign(n, 0);
    std::uint32_t next = 1;
    std::vector<std::uint32_t> pending{0}; // states whose children are not numbered yet
    std::vector<std::uint32_t> children;
    while (!pending.empty()) {
        const std::uint32_t s = pending.back();
        pending.pop_back();
        const Node &trie = m_nodes[node[s]];
        children.clear();
        for (std::uint32_t k = trie.firstChild; k != 0; k = m_nodes[k].nextSibling)
            children.push_back(k);
        std::sort(children.begin(), children.end(),
                  [this](std::uint32_t a, std::uint32_t b) { return m_nodes[a].ch < m_nodes[b].ch; });
        m_states[s].first = next;
        m_states[s].children = std::uint32_t(children.size());
        m_states[s].ends = std::uint32_t(trie.ends) << kOwnShift | trie.ends;
        for (const std::uint32_t k : children) {
            m_labels[next] = m_nodes[k].ch;
            node[next] = k;
            ++next;
        }
        // The first child next, so that its children follow its own run.
        for (std::uint32_t v = next; v-- > m_states[s].first;)
            pending.push_back(v);
    }
    m_nodes = {};
    node = {};

    m_rootNext.assign(0x10000, 0);
    std::vector<std::uint32_t> queue;
    queue.reserve(n);
    for (std::uint32_t v = m_states[0].first; v < m_states[0].first + m_states[0].children; ++v) {
        m_rootNext[m_labels[v]] = v;
        queue.push_back(v);
    }
    // Breadth first, so a state's fail target (a shorter string) is complete before the state.
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t u = queue[head];
        for (std::uint32_t v = m_states[u].first; v < m_states[u].first + m_states[u].children; ++v) {
            const std::uint32_t f = step(m_states[u].fail, m_labels[v]);
            m_states[v].fail = f;
            m_states[v].ends |= m_states[f].ends & ((1u << kOwnShift) - 1);
            queue.push_back(v);
        }
    }
    m_built = true;
}

bool FragmentMatcher::matches(QStringView normalAddress) const
{
    Q_ASSERT(m_built);
    if (!m_built || m_states.empty())
        return false;
    const char16_t *text = reinterpret_cast<const char16_t *>(normalAddress.data());
    const qsizetype n = normalAddress.size();
    // The search part of an entry without a "?" ends at the address's first "?" or "#".
    qsizetype cut = n;
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'?' || text[i] == u'#') {
            cut = i;
            break;
        }
    }
    std::uint32_t state = 0;
    for (qsizetype i = 0; i < n; ++i) {
        state = step(state, foldUnit(text[i]));
        const std::uint8_t ends = m_states[state].ends;
        // A pattern ending at i lies wholly before the cut exactly when i < cut.
        if ((ends & kEndsAnywhere) || ((ends & kEndsBeforeQuery) && i < cut))
            return true;
    }
    return false;
}

qsizetype FragmentMatcher::memoryBytes() const
{
    return qsizetype(m_nodes.capacity() * sizeof(Node) + m_states.capacity() * sizeof(State)
                     + m_labels.capacity() * sizeof(char16_t) + m_rootNext.capacity() * sizeof(std::uint32_t));
}

} // namespace tovalin
