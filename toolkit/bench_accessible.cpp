// What screen readers see of the bench: its drawn items, scroll bars, readouts and announcements.
#include "toolkit/bench_accessible.h"

#include "toolkit/bench_canvas.h"
#include "toolkit/bench_items.h"
#include "toolkit/readout_box.h"
#include "toolkit/scroll_bar.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetricsF>
#include <QKeySequence>
#include <QPointer>
#include <QSet>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

std::function<void(QAccessibleEvent *)> &observer()
{
    static std::function<void(QAccessibleEvent *)> listener;
    return listener;
}

QRect toScreen(const BenchCanvas *canvas, const QRectF &area)
{
    return area.toAlignedRect().translated(canvas->mapToGlobal(QPoint(0, 0)));
}

/** The bench widget: its children are the focus order first, then everything else it shows. */
class BenchCanvasAccessible : public QAccessibleWidget
{
  public:
    explicit BenchCanvasAccessible(BenchCanvas *canvas)
        : QAccessibleWidget(canvas, QAccessible::Pane)
    {
    }

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const std::vector<QAccessibleInterface *> all = children();
        return index >= 0 && index < static_cast<int>(all.size()) ? all[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const std::vector<QAccessibleInterface *> all = children();
        const auto it = std::find(all.begin(), all.end(), child);
        return it == all.end() ? -1 : static_cast<int>(it - all.begin());
    }

    // The front-most widget or named item at a point of the screen.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        BenchCanvas *bench = canvas();
        BenchAccessibility *access = BenchAccessibility::of(bench);
        const QPoint at = bench->mapFromGlobal(QPoint(x, y));
        if (QWidget *w = bench->childAt(at)) {
            while (w->parentWidget() != bench)
                w = w->parentWidget();
            return QAccessible::queryAccessibleInterface(w);
        }
        for (const auto &item : bench->items())
            if (item->isVisible() && item->takesClicks() && !item->accessibleName().isEmpty() &&
                item->bounds().contains(at) && access)
                return access->item(item.get());
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        BenchCanvas *bench = canvas();
        BenchItem *focus = bench->keyboard().focusItem();
        BenchAccessibility *access = BenchAccessibility::of(bench);
        if (bench->hasFocus() && focus && focus->isVisible() && access)
            return access->item(focus);
        return QAccessibleWidget::focusChild();
    }

  private:
    BenchCanvas *canvas() const { return static_cast<BenchCanvas *>(widget()); }

    std::vector<QAccessibleInterface *> children() const
    {
        BenchCanvas *bench = canvas();
        std::vector<QAccessibleInterface *> out;
        BenchAccessibility *access = BenchAccessibility::of(bench);
        if (!access)
            return out;
        QSet<const void *> listed;
        for (const FocusStop &stop : bench->keyboard().focusChain()) {
            if (!bench->keyboard().isAvailable(stop))
                continue;
            if (stop.item && !stop.item->accessibleName().isEmpty()) {
                out.push_back(access->item(stop.item));
                listed.insert(stop.item);
            } else if (stop.widget) {
                out.push_back(QAccessible::queryAccessibleInterface(stop.widget));
                listed.insert(stop.widget);
            }
        }
        // The rest in reading order: top to bottom, then left to right.
        struct Entry
        {
            QRectF at;
            QAccessibleInterface *iface;
        };
        std::vector<Entry> rest;
        for (const auto &item : bench->items())
            if (item->isVisible() && item->takesClicks() && !item->accessibleName().isEmpty() &&
                !listed.contains(item.get()))
                rest.push_back({item->bounds(), access->item(item.get())});
        for (QObject *child : bench->children())
            if (auto *w = qobject_cast<QWidget *>(child);
                w && !w->isWindow() && !w->isHidden() && !listed.contains(w))
                rest.push_back({QRectF(w->geometry()), QAccessible::queryAccessibleInterface(w)});
        std::stable_sort(rest.begin(), rest.end(), [](const Entry &a, const Entry &b) {
            return a.at.top() != b.at.top() ? a.at.top() < b.at.top() : a.at.left() < b.at.left();
        });
        for (const Entry &e : rest)
            out.push_back(e.iface);
        if (!access->notice().isEmpty())
            out.push_back(access->noticeInterface());
        if (!access->announcement().isEmpty())
            out.push_back(access->announcementInterface());
        out.erase(std::remove(out.begin(), out.end(), nullptr), out.end());
        return out;
    }
};

/**
 * What a readout shows, for screen readers that read text rather than values or descriptions:
 * the whole text, read only, without a cursor or selection.
 */
class ShownText : public QAccessibleTextInterface
{
  public:
    virtual QString shownText() const = 0;

    QString text(int startOffset, int endOffset) const override
    {
        return shownText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int offsetAtPoint(const QPoint &point) const override
    {
        for (int i = 0; i < characterCount(); ++i)
            if (characterRect(i).contains(point))
                return i;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }
};

/**
 * A readout's name: what it is and what it shows. Screen readers read a window's texts by their
 * names alone (Orca as a window opens or comes back after a message), so the value goes there too.
 */
QString readoutName(const QString &what, const QString &shows)
{
    const QString value = shows.trimmed();
    return value.isEmpty() ? what.trimmed() : what.trimmed() + QLatin1Char(' ') + value;
}

/**
 * Where one character of a text lies that is drawn from `topLeft` in `font`, one line below the
 * other: screen readers that review a window by what it shows place the text by these boxes.
 */
QRectF characterBox(const QString &text, int index, const QFont &font, QPointF topLeft)
{
    if (index < 0 || index >= text.size())
        return QRectF();
    const QFontMetricsF metrics(font);
    const int lineStart = static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), index - 1)) + 1;
    const int line = static_cast<int>(text.left(lineStart).count(QLatin1Char('\n')));
    const QString before = text.mid(lineStart, index - lineStart);
    const double width =
        text.at(index) == QLatin1Char('\n') ? 0 : metrics.horizontalAdvance(text.mid(index, 1));
    return QRectF(topLeft.x() + metrics.horizontalAdvance(before),
                  topLeft.y() + line * metrics.height(), width, metrics.height());
}

/** Where a label's caption starts and in which font, as BenchLabel::paint sets it. */
std::pair<QPointF, QFont> captionPlace(const BenchLabel &label)
{
    QRectF textRect = label.bounds();
    Qt::Alignment align = label.alignment;
    QFont font = label.font;
    if (label.framed) {
        const QRectF inside = textRect.adjusted(1, 1, -1, -1);
        textRect = inside.adjusted(2, 0, -2, 0);
        if (QFontMetricsF(font).horizontalAdvance(label.caption()) > textRect.width()) {
            font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
            textRect = inside;
            align = Qt::AlignHCenter;
        }
    }
    const double width = QFontMetricsF(font).horizontalAdvance(label.caption());
    double left = textRect.left();
    if (align & Qt::AlignRight)
        left = textRect.right() - width;
    else if (align & Qt::AlignHCenter)
        left = textRect.center().x() - width / 2;
    return {QPointF(left, textRect.top()), font};
}

/** A leaf of the bench's tree that is no widget: it lives as long as its canvas. */
class BenchLeafAccessible : public QAccessibleInterface
{
  public:
    explicit BenchLeafAccessible(BenchCanvas *canvas) : m_canvas(canvas) {}

    bool isValid() const override { return !m_canvas.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_canvas ? m_canvas->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_canvas ? QAccessible::queryAccessibleInterface(m_canvas.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}

  protected:
    QPointer<BenchCanvas> m_canvas;
};

/** One drawn item: a button when it takes a click procedure, else a text or a picture. */
class BenchItemAccessible : public BenchLeafAccessible,
                            public QAccessibleActionInterface,
                            public ShownText
{
  public:
    BenchItemAccessible(BenchCanvas *canvas, BenchItem *item)
        : BenchLeafAccessible(canvas), m_item(item)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (!m_canvas)
            return QString();
        switch (t) {
        case QAccessible::Name:
            return role() == QAccessible::StaticText
                       ? readoutName(m_item->accessibleName(), m_item->valueText())
                       : m_item->accessibleName();
        case QAccessible::Value:
            return m_item->valueText();
        case QAccessible::Description: {
            if (const BenchAccessibility *access = BenchAccessibility::of(m_canvas)) {
                const QString told = access->description(m_item);
                if (!told.isEmpty())
                    return told;
            }
            // AT-SPI carries no text value: the value goes here too
            if (!m_item->valueText().isEmpty())
                return m_item->valueText();
            return m_item->toolTip() == m_item->accessibleName() ? QString() : m_item->toolTip();
        }
        default:
            return QString();
        }
    }

    QRect rect() const override
    {
        return m_canvas ? toScreen(m_canvas, m_item->bounds()) : QRect();
    }

    // A switch is a checkable button, which Qt calls a check box.
    QAccessible::Role role() const override
    {
        const BenchAccessibility *access = m_canvas ? BenchAccessibility::of(m_canvas) : nullptr;
        if (access && access->isCheckable(m_item))
            return QAccessible::CheckBox;
        if (m_item->onClick)
            return QAccessible::Button;
        return dynamic_cast<const BenchLabel *>(m_item) ? QAccessible::StaticText
                                                        : QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_canvas)
            return s;
        s.invisible = !m_item->isVisible();
        if (const BenchAccessibility *access = BenchAccessibility::of(m_canvas);
            access && access->isCheckable(m_item)) {
            s.checkable = true;
            s.checked = access->isChecked(m_item);
        }
        if (inFocusChain()) {
            s.focusable = true;
            s.focused = m_canvas->hasFocus() && m_canvas->keyboard().focusItem() == m_item;
        }
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        if (type == QAccessible::TextInterface && dynamic_cast<const BenchLabel *>(m_item))
            return static_cast<QAccessibleTextInterface *>(this);
        return nullptr;
    }

    QString shownText() const override
    {
        const auto *label = dynamic_cast<const BenchLabel *>(m_item);
        return m_canvas && label ? label->caption() : QString();
    }

    QRect characterRect(int offset) const override
    {
        const auto *label = dynamic_cast<const BenchLabel *>(m_item);
        if (!m_canvas || !label)
            return QRect();
        const auto [topLeft, font] = captionPlace(*label);
        return toScreen(m_canvas, characterBox(label->caption(), offset, font, topLeft));
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (m_canvas && m_item->onClick)
            names << pressAction();
        if (m_canvas && inFocusChain())
            names << setFocusAction();
        return names;
    }

    // A press comes from outside any event handler: it runs later, as a click's procedure would.
    void doAction(const QString &name) override
    {
        if (!m_canvas || !m_item->isVisible())
            return;
        if (name == pressAction() && m_item->onClick) {
            QPointer<BenchCanvas> canvas = m_canvas;
            BenchItem *item = m_item;
            QMetaObject::invokeMethod(
                canvas,
                [canvas, item] {
                    if (canvas && item->isVisible() && item->onClick)
                        item->onClick();
                },
                Qt::QueuedConnection);
        } else if (name == setFocusAction() && inFocusChain()) {
            m_canvas->keyboard().setFocusItem(m_item);
        }
    }

    QStringList keyBindingsForAction(const QString &name) const override
    {
        if (name == pressAction() && m_item->onClick)
            return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
        return {};
    }

  private:
    bool inFocusChain() const { return m_canvas->keyboard().inFocusChain(m_item); }

    BenchItem *m_item;
};

/**
 * What the bench says over its instruments, named by its text and shown only while there is one:
 * the message it is showing (an alert) or what has just appeared on it (a notification).
 */
class SpokenAccessible : public BenchLeafAccessible
{
  public:
    using Text = const QString &(BenchAccessibility::*)() const;
    SpokenAccessible(BenchCanvas *canvas, const BenchAccessibility *access, QAccessible::Role role,
                     Text spoken)
        : BenchLeafAccessible(canvas), m_access(access), m_role(role), m_spoken(spoken)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return m_canvas && t == QAccessible::Name ? (m_access->*m_spoken)() : QString();
    }
    QRect rect() const override
    {
        return m_canvas ? toScreen(m_canvas, QRectF(m_canvas->rect())) : QRect();
    }
    QAccessible::Role role() const override { return m_role; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_canvas || (m_access->*m_spoken)().isEmpty();
        return s;
    }

  private:
    const BenchAccessibility *m_access; // deleted with the canvas, as this is
    QAccessible::Role m_role;
    Text m_spoken;
};

/**
 * A scroll bar read in the bench's values: the number shown beside it (a decade's digit, not the
 * bar's inverted position; the jockey's card, not its half-divisions), on a scale from 0 to the
 * bar's largest value. Readers take the share of the scale as value / (maximum - minimum) (Orca
 * does), so a scale that began at the bar's smallest value, as the EMF's 4 V, would be heard past
 * 100 per cent.
 */
class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit ScrollBarAccessible(ScrollBar *bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(shown(bar()->benchValue()));
        if (t == QAccessible::Description) {
            const BenchAccessibility *access = bench();
            const QString told = access ? access->description(bar()) : QString();
            if (!told.isEmpty())
                return told;
        }
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return shown(bar()->benchValue()); }
    void setCurrentValue(const QVariant &value) override
    {
        bar()->setBenchValue(static_cast<int>(std::lround(value.toDouble() / unit())));
    }
    QVariant maximumValue() const override
    {
        return shown(std::max(bar()->startValue(), bar()->endValue()));
    }
    QVariant minimumValue() const override
    {
        return shown(std::min({0, bar()->startValue(), bar()->endValue()}));
    }
    // Orca writes the value with as many decimals as the step has: a whole value is written
    // whole, as the bench writes it, and a half-division with its one decimal.
    QVariant minimumStepSize() const override
    {
        const double step = shown(bar()->singleStep());
        const double value = shown(bar()->benchValue());
        return value == std::floor(value) ? std::max(step, 1.0) : step;
    }

  private:
    ScrollBar *bar() const { return static_cast<ScrollBar *>(widget()); }
    const BenchAccessibility *bench() const
    {
        const auto *canvas = qobject_cast<const BenchCanvas *>(bar()->parentWidget());
        return canvas ? BenchAccessibility::of(canvas) : nullptr;
    }
    double unit() const
    {
        const BenchAccessibility *access = bench();
        return access ? access->barUnit(bar()) : 1.0;
    }
    double shown(int benchValue) const { return benchValue * unit(); }
};

/** A readout: named by its tooltip, read out by what is printed in it. */
class PictureBoxAccessible : public QAccessibleWidget, public ShownText
{
  public:
    explicit PictureBoxAccessible(ReadoutBox *box) : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString shownText() const override { return static_cast<const ReadoutBox *>(widget())->text(); }

    // As ReadoutBox::paintEvent prints: two pixels in from the frame, the digits centred in height.
    QRect characterRect(int offset) const override
    {
        const auto *box = static_cast<const ReadoutBox *>(widget());
        const QFontMetrics metrics(box->font());
        const QRect inside = box->contentsRect();
        const int baseline = inside.top() + (inside.height() + metrics.capHeight()) / 2;
        const QRectF at = characterBox(box->text(), offset, box->font(),
                                       QPointF(inside.left() + 2, baseline - metrics.ascent()));
        return at.translated(box->mapToGlobal(QPoint(0, 0))).toAlignedRect();
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *box = static_cast<const ReadoutBox *>(widget());
        switch (t) {
        case QAccessible::Name:
            return readoutName(box->accessibleName().isEmpty() ? box->toolTip()
                                                               : box->accessibleName(),
                               box->text());
        case QAccessible::Value:
        case QAccessible::Description: // AT-SPI carries no text value: the value goes here too
            return box->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *benchFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("BenchCanvas"))
        return new BenchCanvasAccessible(static_cast<BenchCanvas *>(object));
    if (className == QLatin1String("ScrollBar"))
        return new ScrollBarAccessible(static_cast<ScrollBar *>(object));
    if (className == QLatin1String("ReadoutBox"))
        return new PictureBoxAccessible(static_cast<ReadoutBox *>(object));
    return nullptr;
}

void installBenchAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(benchFactory);
}

} // namespace

// A screen reader that is there from the start asks for each scroll bar as the window builds it,
// before any bench has its BenchAccessibility: Qt keeps the interface it makes then, and its own
// reads the bar's raw position. So the factory comes with the application.
Q_COREAPP_STARTUP_FUNCTION(installBenchAccessibility)

BenchAccessibility::BenchAccessibility(BenchCanvas *canvas) : QObject(canvas), m_canvas(canvas)
{
    installBenchAccessibility();
    connect(canvas, &BenchCanvas::itemShownOrHidden, this, &BenchAccessibility::itemShownOrHidden);
    connect(canvas, &BenchCanvas::itemValueChanged, this, &BenchAccessibility::itemValueChanged);
    connect(&canvas->keyboard(), &BenchKeyboard::focusMoved, this, &BenchAccessibility::focusMoved);
    for (ReadoutBox *box : canvas->findChildren<ReadoutBox *>())
        connect(box, &ReadoutBox::printed, this, [this, box] { readoutPrinted(box); });
    // The news after a message is told by the control the keyboard went back to, until it leaves.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now != m_canvas && now->window() == m_canvas->window())
            newsHeard(now);
    });
}

BenchAccessibility::~BenchAccessibility()
{
    // The items' interfaces point at the items, which go with the canvas: delete them first.
    for (QAccessible::Id id : std::as_const(m_itemIds))
        QAccessible::deleteAccessibleInterface(id);
    if (m_announcementId)
        QAccessible::deleteAccessibleInterface(m_announcementId);
    if (m_noticeId)
        QAccessible::deleteAccessibleInterface(m_noticeId);
}

BenchAccessibility *BenchAccessibility::of(const BenchCanvas *canvas)
{
    return canvas->findChild<BenchAccessibility *>(QString(), Qt::FindDirectChildrenOnly);
}

QAccessibleInterface *BenchAccessibility::item(BenchItem *item)
{
    const auto it = m_itemIds.constFind(item);
    if (it != m_itemIds.constEnd())
        return QAccessible::accessibleInterface(*it);
    QAccessibleInterface *iface = new BenchItemAccessible(m_canvas, item);
    m_itemIds.insert(item, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *BenchAccessibility::announcementInterface()
{
    if (!m_announcementId)
        m_announcementId = QAccessible::registerAccessibleInterface(new SpokenAccessible(
            m_canvas, this, QAccessible::AlertMessage, &BenchAccessibility::announcement));
    return QAccessible::accessibleInterface(m_announcementId);
}

QAccessibleInterface *BenchAccessibility::noticeInterface()
{
    if (!m_noticeId)
        m_noticeId = QAccessible::registerAccessibleInterface(new SpokenAccessible(
            m_canvas, this, QAccessible::Notification, &BenchAccessibility::notice));
    return QAccessible::accessibleInterface(m_noticeId);
}

void BenchAccessibility::speakWhenShown(QList<const BenchItem *> items)
{
    m_spokenGroups.append(std::move(items));
}

void BenchAccessibility::setDescription(const BenchItem *item, std::function<QString()> description)
{
    m_descriptions.insert(item, std::move(description));
}

void BenchAccessibility::setDescription(const QWidget *widget, std::function<QString()> description)
{
    m_descriptions.insert(widget, std::move(description));
}

QString BenchAccessibility::description(const BenchItem *item) const
{
    const QString news = newsFor(item);
    if (!news.isEmpty())
        return news;
    const auto it = m_descriptions.constFind(item);
    return it != m_descriptions.constEnd() ? (*it)() : QString();
}

QString BenchAccessibility::description(const QWidget *widget) const
{
    const QString news = newsFor(widget);
    if (!news.isEmpty())
        return news;
    const auto it = m_descriptions.constFind(widget);
    return it != m_descriptions.constEnd() ? (*it)() : QString();
}

void BenchAccessibility::setBarUnit(const ScrollBar *bar, double unit)
{
    m_barUnits.insert(bar, unit);
}

double BenchAccessibility::barUnit(const ScrollBar *bar) const
{
    return m_barUnits.value(bar, 1.0);
}

void BenchAccessibility::setCheckable(const BenchItem *item, std::function<bool()> checked)
{
    m_checked.insert(item, std::move(checked));
}

bool BenchAccessibility::isChecked(const BenchItem *item) const
{
    const auto it = m_checked.constFind(item);
    return it != m_checked.constEnd() && (*it)();
}

void BenchAccessibility::setAnnouncement(const QString &text)
{
    const bool was = !m_announcement.isEmpty();
    m_announcement = text;
    if (!was && !text.isEmpty())
        messageShown();
    else if (was && text.isEmpty())
        messageAnswered();
    if (!screenReadersListen())
        return;
    if (!text.isEmpty()) {
        QAccessibleEvent alert(announcementInterface(), QAccessible::Alert);
        tellScreenReaders(&alert);
    } else if (was) {
        QAccessibleEvent gone(announcementInterface(), QAccessible::ObjectHide);
        tellScreenReaders(&gone);
    }
}

// Only items that have a name are shown to screen readers: unnamed pictures are decoration.
void BenchAccessibility::itemShownOrHidden(BenchItem *item)
{
    // A group is spoken once the procedure that shows it has shown all of it.
    for (int group = 0; group < m_spokenGroups.size(); ++group) {
        if (!m_spokenGroups[group].contains(item))
            continue;
        if (item->isVisible() && !m_groupsDue.contains(group)) {
            m_groupsDue.append(group);
            QMetaObject::invokeMethod(
                this,
                [this, group] {
                    m_groupsDue.removeOne(group);
                    speakGroup(group);
                },
                Qt::QueuedConnection);
        } else if (!item->isVisible() && group == m_noticeGroup &&
                   std::none_of(m_spokenGroups[group].cbegin(), m_spokenGroups[group].cend(),
                                [](const BenchItem *i) { return i->isVisible(); })) {
            endNotice();
        }
    }
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    QAccessibleEvent shown(this->item(item),
                           item->isVisible() ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    tellScreenReaders(&shown);
}

// A notification takes a name of its own each time: readers keep the name they read last until
// they are told it has changed.
void BenchAccessibility::speakGroup(int group)
{
    QStringList shown;
    for (const BenchItem *item : std::as_const(m_spokenGroups[group]))
        if (item->isVisible() && !item->valueText().trimmed().isEmpty())
            shown << item->valueText().trimmed();
    if (shown.isEmpty())
        return;
    m_notice = shown.join(QStringLiteral(", "));
    m_noticeGroup = group;
    if (!screenReadersListen())
        return;
    QAccessibleEvent renamed(noticeInterface(), QAccessible::NameChanged);
    tellScreenReaders(&renamed);
    QAccessibleEvent shownEvent(noticeInterface(), QAccessible::ObjectShow);
    tellScreenReaders(&shownEvent);
}

void BenchAccessibility::endNotice()
{
    if (m_notice.isEmpty())
        return;
    if (screenReadersListen()) {
        QAccessibleEvent gone(noticeInterface(), QAccessible::ObjectHide);
        tellScreenReaders(&gone);
    }
    m_notice.clear();
    m_noticeGroup = -1;
}

void BenchAccessibility::itemValueChanged(BenchItem *item)
{
    m_news.clear(); // the switches have moved on since
    m_newsAt = nullptr;
    if (item->accessibleName().isEmpty() || !screenReadersListen())
        return;
    // Windows' screen readers hear the value, Linux's the description; Orca hears neither from
    // Qt 6.4, but a switch's checked state it does.
    QAccessibleValueChangeEvent changed(this->item(item), item->valueText());
    tellScreenReaders(&changed);
    QAccessibleEvent described(this->item(item), QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
    if (isCheckable(item)) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent toggled(this->item(item), checked);
        tellScreenReaders(&toggled);
    }
}

void BenchAccessibility::focusMoved(BenchItem *item)
{
    newsHeard(item);
    if (!screenReadersListen())
        return;
    QAccessibleEvent focus(this->item(item), QAccessible::Focus);
    tellScreenReaders(&focus);
}

// Screen readers hear a readout only when what it shows has changed: a recomputation clears and
// reprints every readout, mostly with the same text.
void BenchAccessibility::readoutPrinted(ReadoutBox *box)
{
    QString &said = m_readoutsSaid[box];
    if (!screenReadersListen() || box->text() == said)
        return;
    said = box->text();
    // Windows' screen readers hear the value, Linux's the description.
    QAccessibleValueChangeEvent changed(box, said);
    tellScreenReaders(&changed);
    QAccessibleEvent described(box, QAccessible::DescriptionChanged);
    tellScreenReaders(&described);
}

// The control that has the keyboard as a message comes, and what each switch reads then.
void BenchAccessibility::messageShown()
{
    QWidget *focus = m_canvas->window()->focusWidget();
    m_usedItem = focus == m_canvas ? m_canvas->keyboard().focusItem() : nullptr;
    m_usedWidget = focus == m_canvas ? nullptr : focus;
    m_switchesBefore.clear();
    for (auto it = m_checked.cbegin(); it != m_checked.cend(); ++it)
        m_switchesBefore.insert(it.key(), it.key()->valueText());
}

// The procedure that showed the message goes on once it is answered (an overload opens the key
// and switches the source off): the keyboard goes back when it has ended.
void BenchAccessibility::messageAnswered()
{
    m_userActed = false;
    qApp->installEventFilter(this);
    QMetaObject::invokeMethod(
        this, [this] { backToTheControlUsed(); }, Qt::QueuedConnection);
}

bool BenchAccessibility::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress)
        m_userActed = true;
    return QObject::eventFilter(watched, event);
}

// The keyboard stays on the control used, if it is still shown; if the message's procedure hid
// it, it goes to the switch before it in the focus order that the procedure changed (the key,
// which hides the box, the slider and the rheostat), else to the nearest shown control before it,
// unless the user has gone somewhere meanwhile. There, what changed on the switches is told as
// the control's description.
void BenchAccessibility::backToTheControlUsed()
{
    qApp->removeEventFilter(this);
    if (!m_announcement.isEmpty())
        return; // another message came meanwhile: it goes back when that one is answered
    BenchKeyboard &keys = m_canvas->keyboard();
    const std::vector<FocusStop> &chain = keys.focusChain();
    const int count = static_cast<int>(chain.size());
    int used = -1;
    for (int i = 0; i < count; ++i)
        if ((m_usedItem && chain[i].item == m_usedItem) ||
            (m_usedWidget && chain[i].widget == m_usedWidget))
            used = i;
    m_usedItem = nullptr;
    m_usedWidget = nullptr;
    if (used < 0)
        return;
    QStringList news;
    QSet<const BenchItem *> changed;
    for (const FocusStop &stop : chain) {
        const auto before = m_switchesBefore.constFind(stop.item);
        if (stop.item && before != m_switchesBefore.constEnd() &&
            *before != stop.item->valueText()) {
            news << stop.item->accessibleName() + QLatin1Char(' ') + stop.item->valueText();
            changed.insert(stop.item);
        }
    }
    const bool stays = keys.isAvailable(chain[used]);
    if (!stays && m_userActed)
        return;
    int to = stays ? used : -1;
    for (int i = used - 1; to < 0 && i >= 0; --i)
        if (changed.contains(chain[i].item) && keys.isAvailable(chain[i]))
            to = i;
    for (int i = used - 1; to < 0 && i >= 0; --i)
        if (keys.isAvailable(chain[i]))
            to = i;
    if (to < 0)
        return;
    const FocusStop &stop = chain[to];
    m_news = news.join(QStringLiteral(", "));
    m_newsAt = stop.item ? static_cast<const void *>(stop.item) : stop.widget;
    if (stays)
        return;
    if (stop.item)
        keys.setFocusItem(stop.item);
    else
        stop.widget->setFocus(Qt::OtherFocusReason);
}

QString BenchAccessibility::newsFor(const void *control) const
{
    return control && control == m_newsAt ? m_news : QString();
}

// The keyboard has gone to `control`: the news stays with the control it was told by.
void BenchAccessibility::newsHeard(const void *control)
{
    if (control == m_newsAt)
        return;
    m_news.clear();
    m_newsAt = nullptr;
}

bool screenReadersListen()
{
    return QAccessible::isActive() || observer();
}

void tellScreenReaders(QAccessibleEvent *event)
{
    if (observer())
        observer()(event);
    QAccessible::updateAccessibility(event);
}

void setScreenReaderObserver(std::function<void(QAccessibleEvent *)> listener)
{
    observer() = std::move(listener);
}
