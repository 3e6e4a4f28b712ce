// The Authors window: a portrait and the credits.
#include "app/authors_window.h"

#include "toolkit/svg_cache.h"
#include "toolkit/window_placement.h"

#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>

namespace {

// The credits' own font: a sans serif that the set-up installs, so that the label looks the same
// whatever the desktop's default font is.
const QString kCreditsFamily = QStringLiteral("Liberation Sans");
const int kCreditsPixelSize = 11;

} // namespace

AuthorsWindow::AuthorsWindow() : QWidget(nullptr)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Авторы"));
    setWindowIcon(SvgCache::icon(QStringLiteral(":/assets/icon.svg")));
    resize(222, 297);
    m_portrait = new QLabel(this);
    m_portrait->setObjectName(QStringLiteral("Image1"));
    m_portrait->setGeometry(32, 8, 150, 180);
    m_portrait->setPixmap(SvgCache::instance().pixmap(QStringLiteral(":/assets/portrait.svg"),
                                                      QSize(150, 180), devicePixelRatioF()));
    m_credits = new QLabel(QStringLiteral("Label1"), this);
    m_credits->setObjectName(QStringLiteral("Label1"));
    m_credits->setGeometry(8, 200, 209, 81);
    m_credits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_credits->setWordWrap(true);
    fitCreditsFont();
    m_portrait->setAccessibleName(QStringLiteral("Портрет автора"));
    for (QLabel *label : {m_credits, m_portrait})
        label->setFocusPolicy(Qt::TabFocus);
    setTabOrder(m_credits, m_portrait);
    m_credits->setFocus();
    placeWhenFramed(this, [this] {
        if (m_centredOver)
            centreOver(m_centredOver);
    });
}

// Escape closes the window, as OK closes the About box.
void AuthorsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void AuthorsWindow::setCredits(const QString &caption)
{
    QString shown = caption;
    m_credits->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Heard as one text, without the blanks that pad its lines.
    QStringList lines = shown.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    m_credits->setAccessibleName(lines.join(QLatin1Char(' ')));
    fitCreditsFont();
}

// Six lines of 36 characters fill the label: the font steps down from its usual size until every
// line fits the label's width unbroken and all of them its height.
void AuthorsWindow::fitCreditsFont()
{
    QFont font(kCreditsFamily);
    font.setStyleHint(QFont::SansSerif);
    const QStringList lines = m_credits->text().split(QLatin1Char('\n'));
    for (int size = kCreditsPixelSize; size >= 6; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        if (widest <= m_credits->width() &&
            metrics.lineSpacing() * lines.size() <= m_credits->height())
            break;
    }
    m_credits->setFont(font);
}

void AuthorsWindow::centreOver(const QWidget *window)
{
    m_centredOver = window;
    centreFrameIn(this, window->frameGeometry());
}
