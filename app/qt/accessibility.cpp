#include "app/qt/accessibility.h"

#include "app/qt/bevel_view.h"
#include "app/qt/form_window.h"
#include "app/qt/panel_view.h"
#include "app/qt/shape_view.h"
#include "app/t_form1.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <optional>
#include <vector>

namespace zem {

namespace {

// The keys of the on-screen keyboard are the window's panels with a caption.
bool isKey(const Control &c) {
    return c.kind == ControlKind::Panel && c.parent == kWindow && !c.text.empty();
}

// The game's form and the key a widget shows, when it shows one.
struct KeyShown {
    const TForm1 &form;
    ControlId id;
};
std::optional<KeyShown> keyShownBy(const QWidget *w) {
    auto *window = qobject_cast<FormWindow *>(w->window());
    if (!window || !dynamic_cast<const PanelView *>(w))
        return std::nullopt;
    const ControlId id = window->controlOf(w);
    if (id == kWindow || !isKey(window->form().model().at(id)))
        return std::nullopt;
    return KeyShown{window->form(), id};
}

// Shapes, bevels, the keyboard's tray and the mascot only decorate. A key is
// the one panel a reader visits.
bool isDecoration(const QWidget *w) {
    if (dynamic_cast<const ShapeView *>(w) || dynamic_cast<const BevelView *>(w))
        return true;
    return dynamic_cast<const PanelView *>(w) && !keyShownBy(w);
}

QString keyState(Color color) {
    if (color == clYellow)
        return QStringLiteral("次のキー");
    if (color == clRed)
        return QStringLiteral("ミスしたキー");
    return {};
}

// Qt announces every set, so only a real change is set.
void setName(QWidget *w, const QString &name) {
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

// The window and its client area list only what a reader should visit, so
// a reader never steps through the balloon, the frames or the 28 panels of
// the mascot: the window its menu bar and client area, the client area its
// controls. Computed on every call: it must hold while the window is still
// being built.
class ReadableAccessible final : public QAccessibleWidget {
public:
    ReadableAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    int childCount() const override { return int(readable().size()); }
    QAccessibleInterface *child(int index) const override {
        const std::vector<QWidget *> kids = readable();
        if (index < 0 || index >= int(kids.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(kids[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        const std::vector<QWidget *> kids = readable();
        for (std::size_t i = 0; i < kids.size(); ++i)
            if (child && child->object() == kids[i])
                return int(i);
        return -1;
    }

private:
    std::vector<QWidget *> readable() const {
        std::vector<QWidget *> kids;
        if (!widget())
            return kids;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !isDecoration(w))
                kids.push_back(w);
        return kids;
    }
};

// A key reads as a piece of text, its letter, with its colour as a state,
// both read from the model when a reader asks: thirty keys need not keep a
// name and a description that change at every keystroke.
class KeyAccessible final : public QAccessibleWidget {
public:
    explicit KeyAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Description) {
            if (const auto key = keyShownBy(widget()))
                return t == QAccessible::Name
                           ? QString::fromStdString(key->form.keyGuide().spokenName(key->id))
                           : keyState(key->form.model().at(key->id).color);
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *interfaceFor(const QString &, QObject *object) {
    if (qobject_cast<FormWindow *>(object))
        return new ReadableAccessible(static_cast<QWidget *>(object), QAccessible::Window);
    if (object && object->objectName() == QLatin1String("ClientArea") &&
        qobject_cast<FormWindow *>(object->parent()))
        return new ReadableAccessible(static_cast<QWidget *>(object), QAccessible::Client);
    if (auto *panel = dynamic_cast<PanelView *>(object))
        return new KeyAccessible(panel);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    (void)installed;
}

void makeReadable(FormWindow &window) {
    const WindowModel &model = window.form().model();
    for (ControlId id = 0; id < model.size(); ++id)
        describeForReaders(window.widgetOf(id), window.form(), id);
    // A drop-down list is named by the label tied to it; the course label
    // next to the progress bar says what the list picks ("100打コース").
    auto *caption = qobject_cast<QLabel *>(window.widgetOf(window.form().Label8));
    caption->setBuddy(window.widgetOf(window.form().ComboBox1));
}

void describeForReaders(QWidget *widget, const TForm1 &form, ControlId id) {
    const Control &c = form.model().at(id);
    switch (c.kind) {
    case ControlKind::Panel:
        // A key changed colour, or its name its finger: a reader listening
        // hears it and asks the key again.
        if (isKey(c) && QAccessible::isActive()) {
            QAccessibleEvent named(widget, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&named);
            QAccessibleEvent described(widget, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&described);
        }
        break;
    case ControlKind::Label:
        // The reading line reads as its kana, however far it is typed.
        if (c.greyedBytes > 0 || c.markedBytes > 0)
            setName(widget, QString::fromStdString(c.text));
        break;
    case ControlKind::GroupBox:
        setName(widget, QStringLiteral("出題モード"));
        break;
    case ControlKind::ProgressBar:
        setName(widget, QStringLiteral("進行状況"));
        break;
    default:
        break;
    }
}

} // namespace zem
