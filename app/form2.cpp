// The Authors window: a portrait and the credits.
#include "app/form2.h"

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

Form2::Form2() : QWidget(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Авторы"));
    setWindowIcon(SvgCache::icon(QStringLiteral(":/assets/icon.svg")));
    resize(222, 297);
    Image1 = new QLabel(this);
    Image1->setGeometry(32, 8, 150, 180);
    Image1->setPixmap(SvgCache::instance().pixmap(QStringLiteral(":/assets/portrait.svg"),
                                                  QSize(150, 180), devicePixelRatioF()));
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setGeometry(8, 200, 209, 81);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    m_caption = Label1->text();
    fitLabel1Font();
    Image1->setAccessibleName(QStringLiteral("Портрет автора"));
    for (QLabel *label : {Label1, Image1})
        label->setFocusPolicy(Qt::TabFocus);
    setTabOrder(Label1, Image1);
    Label1->setFocus();
    placeWhenFramed(this, [this] {
        if (m_centredOver)
            centreOver(m_centredOver);
    });
}

// Escape closes the window, as OK closes the About box.
void Form2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void Form2::setLabel1Caption(const QString &caption)
{
    m_caption = caption;
    QString shown = caption;
    Label1->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Heard as one text, without the blanks that pad its lines.
    QStringList lines = shown.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    Label1->setAccessibleName(lines.join(QLatin1Char(' ')));
    fitLabel1Font();
}

// Six lines of 36 characters fill the label: the font steps down from its usual size until every
// line fits the label's width unbroken and all of them its height.
void Form2::fitLabel1Font()
{
    QFont font(kCreditsFamily);
    font.setStyleHint(QFont::SansSerif);
    const QStringList lines = Label1->text().split(QLatin1Char('\n'));
    for (int size = kCreditsPixelSize; size >= 6; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        if (widest <= Label1->width() && metrics.lineSpacing() * lines.size() <= Label1->height())
            break;
    }
    Label1->setFont(font);
}

void Form2::centreOver(const QWidget *window)
{
    m_centredOver = window;
    centreFrameIn(this, window->frameGeometry());
}
