#include "themes/theme_model.h"

#include "state/program_state.h"
#include "themes/themes_log.h"

#include <QFileInfo>

#include <algorithm>

namespace tovalin {

using namespace themefiles;

ThemeModel::ThemeModel(ProgramState &state, QObject *parent)
    : QObject(parent)
    , m_state(state)
{
}

QString ThemeModel::themesFolder() const
{
    return m_state.themesFolder();
}

const LinkSlot &ThemeModel::slot(int n) const
{
    static const LinkSlot empty;
    if (n < 1 || n > kSlotCount)
        return empty;
    return m_slots[size_t(n)];
}

void ThemeModel::clearSlots()
{
    for (int n = 1; n <= kSlotCount; ++n)
        emptySlot(n);
    m_linkCount = 0;
    setSelectedLink(-1);
}

void ThemeModel::emptySlot(int n)
{
    LinkSlot &s = m_slots[size_t(n)];
    s = LinkSlot{};
    m_lines[size_t(n)] = -1;
}

bool ThemeModel::fillSlot(int n, const QString &id)
{
    const auto link = readLinkProperties(themesFolder(), id);
    if (!link)
        return false;
    const BmpDecodeResult picture = readBmpFile(filePath(themesFolder(), id, kPictureExt));
    if (!picture.ok()) {
        qCDebug(lcThemes) << "link" << id << "left out:" << bmpErrorText(picture.error);
        return false;
    }
    LinkSlot &s = m_slots[size_t(n)];
    s.link = *link;
    // The column shows a picture centred and unscaled in 70 × 70, so only that
    // part is kept; a parent's large picture does not stay in memory 200 times.
    s.picture = centreCrop(picture.bitmap, linkpanel::kPictureSize, linkpanel::kPictureSize);
    s.enabled = true;
    return true;
}

void ThemeModel::LoadTheme(const QString &name, Scroll scroll)
{
    if (scroll == Scroll::ToTop)
        setScrollOffset(0);

    const QString listPath = filePath(themesFolder(), name, kLinkListExt);
    std::optional<QStringList> lines;
    if (isSafeFileStem(name) && QFileInfo(listPath).isFile())
        lines = readLines(listPath);
    if (!lines) {
        // Links of the theme shown before must not stay clickable under another
        // theme's name and lists, so a theme without a link list shows none.
        clearSlots();
        emit themeLoaded(name);
        return;
    }
    if (isOldFormLinkList(*lines)) {
        MigrateLinkList(themesFolder(), name);
        lines = readLines(listPath);
        if (!lines)
            lines = QStringList();
    }

    int filled = 0;
    for (qsizetype line = 0; line < lines->size(); ++line) {
        if (filled == kSlotCount) {
            qCDebug(lcThemes) << "theme" << name << "has more links than slots; the rest are not shown";
            break;
        }
        if (fillSlot(filled + 1, lines->at(line))) {
            ++filled;
            m_lines[size_t(filled)] = int(line);
        }
    }
    for (int n = filled + 1; n <= kSlotCount; ++n)
        emptySlot(n);
    m_linkCount = filled;
    if (m_selectedLink > m_linkCount)
        setSelectedLink(-1);
    emit themeLoaded(name);
}

void ThemeModel::ReloadLinkSlot(const QString &name, int line)
{
    if (line < 0 || line >= kSlotCount || !isSafeFileStem(name))
        return;
    const auto lines = readLines(filePath(themesFolder(), name, kLinkListExt));
    if (!lines || line >= lines->size())
        return;
    if (fillSlot(line + 1, lines->at(line))) {
        m_lines[size_t(line + 1)] = line;
        emit slotChanged(line + 1);
    }
}

int ThemeModel::lineOfSlot(int n) const
{
    if (n < 1 || n > kSlotCount || !m_slots[size_t(n)].enabled)
        return -1;
    return m_lines[size_t(n)];
}

std::optional<QStringList> ThemeModel::linesMatching(const QString &name, int n) const
{
    const int line = lineOfSlot(n);
    if (line < 0 || !isSafeFileStem(name))
        return std::nullopt;
    auto lines = readLines(filePath(themesFolder(), name, kLinkListExt));
    if (!lines || line >= lines->size() || lines->at(line) != m_slots[size_t(n)].link.ID)
        return std::nullopt;
    return lines;
}

bool ThemeModel::removeLink(const QString &name, int n)
{
    auto lines = linesMatching(name, n);
    if (!lines) {
        qCDebug(lcThemes) << "remove: the link list of" << name << "does not hold slot" << n;
        return false;
    }
    lines->removeAt(lineOfSlot(n));
    if (!writeLines(filePath(themesFolder(), name, kLinkListExt), *lines).ok)
        return false;
    setSelectedLink(-1);
    const int last = m_linkCount;
    for (int k = n; k < last; ++k) {
        m_slots[size_t(k)] = std::move(m_slots[size_t(k + 1)]);
        m_lines[size_t(k)] = m_lines[size_t(k + 1)] - 1;
    }
    emptySlot(last);
    m_linkCount = last - 1;
    for (int k = n; k <= last; ++k)
        emit slotChanged(k);
    return true;
}

bool ThemeModel::exchangeLinks(const QString &name, int a, int b)
{
    if (a == b)
        return false;
    auto lines = linesMatching(name, a);
    if (!lines || !linesMatching(name, b))
        return false;
    lines->swapItemsAt(lineOfSlot(a), lineOfSlot(b));
    if (!writeLines(filePath(themesFolder(), name, kLinkListExt), *lines).ok)
        return false;
    // Each slot keeps its line; the links trade places.
    std::swap(m_slots[size_t(a)], m_slots[size_t(b)]);
    emit slotChanged(a);
    emit slotChanged(b);
    return true;
}

void ThemeModel::activateTheme(const QString &name)
{
    m_state.setActiveTheme(name);
    LoadTheme(name, Scroll::ToTop);
    if (m_loadSiteLists)
        m_loadSiteLists();
}

bool ThemeModel::setSelectedLink(int n)
{
    const bool valid = n >= 1 && n <= kSlotCount && m_slots[size_t(n)].enabled;
    const int next = valid ? n : -1;
    if (next != m_selectedLink) {
        const int previous = m_selectedLink;
        m_selectedLink = next;
        emit selectionChanged(previous, next);
    }
    return valid;
}

void ThemeModel::scrollDown(int panelHeight)
{
    setScrollOffset(linkpanel::scrollDown(m_scrollOffset, panelHeight, m_linkCount));
}

void ThemeModel::scrollUp(int panelHeight)
{
    setScrollOffset(linkpanel::scrollUp(m_scrollOffset, panelHeight));
}

void ThemeModel::scrollToTop()
{
    setScrollOffset(0);
}

void ThemeModel::scrollTo(int offset)
{
    setScrollOffset(std::max(0, offset));
}

void ThemeModel::setScrollOffset(int offset)
{
    if (offset == m_scrollOffset)
        return;
    m_scrollOffset = offset;
    emit scrolled(offset);
}

} // namespace tovalin
