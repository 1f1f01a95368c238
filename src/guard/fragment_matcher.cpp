#include "guard/fragment_matcher.h"

#include "guard/address_match.h"

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
    m_rootNext.clear();
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
    m_built = false;
    std::uint32_t node = 0;
    for (const QChar qc : folded) {
        const char16_t c = qc.unicode();
        std::uint32_t next = child(node, c);
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

std::uint32_t FragmentMatcher::child(std::uint32_t node, char16_t c) const
{
    for (std::uint32_t k = m_nodes[node].firstChild; k != 0; k = m_nodes[k].nextSibling) {
        if (m_nodes[k].ch == c)
            return k;
    }
    return 0;
}

std::uint32_t FragmentMatcher::step(std::uint32_t node, char16_t c) const
{
    while (node != 0) {
        if (const std::uint32_t next = child(node, c))
            return next;
        node = m_nodes[node].fail;
    }
    return m_rootNext[c];
}

void FragmentMatcher::build()
{
    if (m_built)
        return;
    m_rootNext.assign(0x10000, 0);
    std::vector<std::uint32_t> queue;
    queue.reserve(m_nodes.size());
    for (std::uint32_t k = m_nodes[0].firstChild; k != 0; k = m_nodes[k].nextSibling) {
        m_rootNext[m_nodes[k].ch] = k;
        m_nodes[k].fail = 0;
        queue.push_back(k);
    }
    // Breadth first, so a node's fail target (a shorter string) is complete before the node.
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t u = queue[head];
        for (std::uint32_t v = m_nodes[u].firstChild; v != 0; v = m_nodes[v].nextSibling) {
            const std::uint32_t f = step(m_nodes[u].fail, m_nodes[v].ch);
            m_nodes[v].fail = f;
            m_nodes[v].ends |= m_nodes[f].ends;
            queue.push_back(v);
        }
    }
    m_built = true;
}

bool FragmentMatcher::matches(QStringView normalAddress) const
{
    if (m_nodes.size() == 1)
        return false;
    Q_ASSERT(m_built);
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
        const std::uint8_t ends = m_nodes[state].ends;
        // A pattern ending at i lies wholly before the cut exactly when i < cut.
        if ((ends & kEndsAnywhere) || ((ends & kEndsBeforeQuery) && i < cut))
            return true;
    }
    return false;
}

qsizetype FragmentMatcher::memoryBytes() const
{
    return qsizetype(m_nodes.capacity() * sizeof(Node) + m_rootNext.capacity() * sizeof(std::uint32_t));
}

} // namespace tovalin
