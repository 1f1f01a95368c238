#include "activity/ui/ask_button.h"

#include "activity/ui/activity_look.h"

#include <algorithm>

namespace tovalin {

AskButton::AskButton(ActivityRecorder &recorder, QWidget *parent)
    : QToolButton(parent)
    , m_recorder(recorder)
{
    setObjectName(QStringLiteral("AskButton"));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(40, 40));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    setFont(big);
    // As wide for "Sent" as for "Ask": the bar does not move when the text changes.
    const QFontMetrics metrics(big);
    setFixedWidth(std::max({metrics.horizontalAdvance(askText()), metrics.horizontalAdvance(sentText()), 44}) + 30);
    setStyleSheet(QStringLiteral("QToolButton { background: rgb(255, 244, 200); border: 2px solid rgb(230, 170, 40);"
                                 " border-radius: 10px; padding: 2px 8px; color: rgb(120, 60, 10); }"
                                 "QToolButton:hover { background: rgb(255, 232, 150); }"));
    connect(this, &QToolButton::clicked, this, &AskButton::clicked);
    connect(&m_recorder, &ActivityRecorder::askStateChanged, this, &AskButton::showState);
    showState(m_recorder.askState());
}

QString AskButton::askText()
{
    return tr("Ask");
}

QString AskButton::sentText()
{
    return tr("Sent");
}

void AskButton::showState(ActivityRecorder::AskState state)
{
    using State = ActivityRecorder::AskState;
    setVisible(state != State::Hidden);
    if (state == State::Hidden)
        return; // most pages never show the button: its pictures wait for the first refusal
    if (m_askIcon.isNull()) {
        m_askIcon = QIcon(activitylook::askPicture(80));
        m_sentIcon = QIcon(activitylook::sentPicture(80));
    }
    const bool sent = state == State::Sent;
    // The same two icons every time: the style keeps each icon's picture scaled to the button in
    // the pixmap cache under the picture's own key, so a picture drawn afresh at every refusal
    // would add an entry each time, and the program would grow page after page.
    setIcon(sent ? m_sentIcon : m_askIcon);
    setText(sent ? sentText() : askText());
    setToolTip(state == State::Failed ? tr("The question could not be sent. Ask again, or fetch a parent.")
               : sent                ? tr("Your question has been sent to a parent.")
                                     : tr("Ask a parent whether you may open this page."));
}

void AskButton::clicked()
{
    if (m_recorder.askState() != ActivityRecorder::AskState::Sent)
        m_recorder.ask();
    if (m_recorder.askState() == ActivityRecorder::AskState::Sent)
        emit requestWindowWanted(m_recorder.askedId());
}

} // namespace tovalin
