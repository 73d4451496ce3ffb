#include "ui/qt/window_view.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

#include "ui/model/controls.h"
#include "ui/qt/colours.h"
#include "ui/qt/spin_arrows.h"
#include "ui/qt/vu_meter_view.h"

namespace kvx::ui::qt {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// Captions use "&" to mark an accelerator, as Qt buttons do; a label shows the text as written.
QString labelText(const std::string& caption) {
    QString text = qs(caption);
    text.replace("&&", QChar(0x1));
    text.remove('&');
    text.replace(QChar(0x1), "&");
    return text;
}

// An image file's bytes as a picture. PNG and BMP, known by their first bytes,
// are read by Qt's own readers: left to guess, Qt loads every image plugin
// (JPEG, GIF, ...) to ask each one, which stays mapped for the whole run.
QImage readImage(const std::vector<uint8_t>& data) {
    if (data.empty()) return {};
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    static const uint8_t png[] = {0x89, 'P', 'N', 'G'};
    QByteArray format;
    if (data.size() >= 4 && std::equal(png, png + 4, data.begin())) format = "png";
    else if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') format = "bmp";
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

QStringList toStringList(const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& item : items) list << qs(item);
    return list;
}

}  // namespace

WindowView::WindowView(Window& model, Qt::WindowFlags type, Qt::WindowModality modality, Refresh refresh)
    : QWidget(nullptr, type), model_(model), refreshMode_(refresh) {
    setObjectName(qs(model.name()));
    setWindowModality(modality);
    setFont(QFont("Arial", 8));
    build(nullptr, this);
    if (type.testFlag(Qt::Dialog)) bindDialogKeys();
    // The window itself follows its model at once: its visibility decides what is in sight.
    windowObservation_ = model_.observe([this] { refreshWindow(); });
    visibilityPending_ = true;  // the first showing comes at once, with the type and modality set above
    refreshWindow();
    applyVisibility();
}

WindowView::~WindowView() {
    model_.unobserve(windowObservation_);
    for (const PendingControl& pending : pendingControls_) pending.control->unobserve(pending.observation);
    for (const Binding& binding : bindings_) binding.control->unobserve(binding.observation);
}

QWidget* WindowView::widgetFor(const Control& control) {
    auto it = widgets_.find(&control);
    if (it != widgets_.end()) return it->second;
    // Under a control of the window not made yet: make that first.
    const Control* top = &control;
    while (top->parent()) top = top->parent();
    for (std::size_t i = 0; i < pendingControls_.size(); ++i)
        if (pendingControls_[i].control == top) {
            buildWindowControl(i);
            break;
        }
    // On a page not made yet: make its pages, outermost first.
    std::vector<Page*> unmade;
    for (Control* outer = control.parent(); outer; outer = outer->parent())
        if (outer->kind() == ControlKind::Page) unmade.insert(unmade.begin(), static_cast<Page*>(outer));
    for (Page* page : unmade) {
        auto pending = std::find_if(pendingPages_.begin(), pendingPages_.end(),
                                    [page](const PendingPage& p) { return p.page == page; });
        if (pending == pendingPages_.end()) continue;
        QWidget* tab = pending->tab;
        pendingPages_.erase(pending);
        buildPage(*page, tab);
    }
    it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

void WindowView::buildAll() {
    while (!pendingControls_.empty()) buildWindowControl(0);
    while (!pendingPages_.empty()) {
        PendingPage pending = pendingPages_.front();
        pendingPages_.erase(pendingPages_.begin());
        buildPage(*pending.page, pending.tab);
    }
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The window's own model decides what closing means.
    event->ignore();
    if (model_.onCloseRequest) model_.onCloseRequest();
    else model_.close();
}

void WindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    buildInSight();
    refreshHeldBack();
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A window made larger (the small window expanded) may now hold more controls and a page.
    buildInSight();
}

void WindowView::watch(Control& control, std::function<void()> refresh) {
    std::size_t index = bindings_.size();
    int observation = control.observe([this, index] { controlChanged(index); });
    bindings_.push_back({&control, observation, std::move(refresh), buildingPage_});
}

bool WindowView::inSight(const QWidget* page) const { return isVisible() && (!page || page->isVisibleTo(this)); }

void WindowView::controlChanged(std::size_t index) {
    Binding& binding = bindings_[index];
    if (refreshMode_ == Refresh::WhenSeen && !inSight(binding.page)) {
        binding.heldBack = true;
        return;
    }
    binding.heldBack = false;
    binding.refresh();
    // A control moved, shown or brought forward may bring a page into sight. The
    // binding is not used after this: making a page adds bindings.
    buildInSight();
}

void WindowView::refreshHeldBack() {
    // By index: a refresh may make a page, which adds bindings.
    // NOLINTNEXTLINE(modernize-loop-convert)
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        if (!bindings_[i].heldBack || !inSight(bindings_[i].page)) continue;
        bindings_[i].heldBack = false;
        auto refresh = bindings_[i].refresh;
        refresh();
    }
}

bool WindowView::pageInSight(const PendingPage& pending) const {
    if (!isVisible() || !pending.tab->isVisibleTo(this)) return false;
    // A page control lying outside the window's area (the small window) shows nothing.
    QRect area(pending.pages->mapTo(this, QPoint(0, 0)), pending.pages->size());
    return area.intersects(rect());
}

void WindowView::buildInSight() {
    if ((pendingPages_.empty() && pendingControls_.empty()) || buildingPages_ || !isVisible()) return;
    buildingPages_ = true;
    for (bool made = true; made;) {
        made = false;
        for (std::size_t i = 0; i < pendingControls_.size(); ++i) {
            if (!controlInArea(*pendingControls_[i].control)) continue;
            buildWindowControl(i);
            made = true;
            break;
        }
        if (made) continue;
        for (std::size_t i = 0; i < pendingPages_.size(); ++i) {
            if (!pageInSight(pendingPages_[i])) continue;
            PendingPage pending = pendingPages_[i];
            pendingPages_.erase(pendingPages_.begin() + static_cast<std::ptrdiff_t>(i));
            buildPage(*pending.page, pending.tab);
            made = true;
            break;
        }
    }
    buildingPages_ = false;
}

void WindowView::buildPage(Page& page, QWidget* tab) {
    QWidget* outerPage = buildingPage_;
    buildingPage_ = tab;
    build(&page, tab);
    buildingPage_ = outerPage;
}

void WindowView::refreshWindow() {
    setWindowTitle(labelText(model_.caption()));
    const Bounds& b = model_.bounds();
    if (b.width > 0 && b.height > 0) {
        if (size() != QSize(b.width, b.height)) setFixedSize(b.width, b.height);
        if (pos() != QPoint(b.left, b.top)) move(b.left, b.top);
    }
    setStayOnTop(model_.stayOnTop);
    // Visibility follows once the handler that changed the model has finished.
    if (visibilityPending_) return;
    visibilityPending_ = true;
    QMetaObject::invokeMethod(this, &WindowView::applyVisibility, Qt::QueuedConnection);
}

void WindowView::applyVisibility() {
    visibilityPending_ = false;
    if (isVisible() != model_.visible()) setVisible(model_.visible());
}

void WindowView::setStayOnTop(bool stayOnTop) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    if (flags == windowFlags()) return;
    if (!isVisible() || !windowHandle()) {
        setWindowFlags(flags);
        return;
    }
    // setWindowFlags() would hide the shown window and show it again; the
    // platform window takes the new flags as it stands.
    overrideWindowFlags(flags);
    windowHandle()->setFlags(flags);
}

void WindowView::build(Control* parent, QWidget* container) {
    for (Control* control : model_.childrenOf(parent)) {
        // A control of the window itself that is hidden or lies beyond the window's area
        // (the small window shows only the gauges) waits until it can be seen.
        if (refreshMode_ == Refresh::WhenSeen && !parent && !controlInArea(*control)) {
            int observation = control->observe([this] { buildInSight(); });
            pendingControls_.push_back({control, observation});
            continue;
        }
        buildControl(*control, container);
    }
}

void WindowView::buildControl(Control& made, QWidget* container) {
    Control* control = &made;
    {
        QWidget* widget = createWidget(*control, container);
        if (!widget) return;
        widgets_[control] = widget;
        if (auto* pages = dynamic_cast<QTabWidget*>(widget)) {
            auto* model = static_cast<PageControl*>(control);
            for (Page* page : model->pages()) {
                auto* tab = new QWidget();
                tab->setObjectName(qs(page->name()));
                pages->addTab(tab, labelText(page->caption()));
                widgets_[page] = tab;
                watch(*page,
                      [pages, tab, page] { pages->setTabText(pages->indexOf(tab), labelText(page->caption())); });
                // Seen only when brought forward, a page's widgets wait until then.
                if (refreshMode_ == Refresh::WhenSeen) pendingPages_.push_back({page, tab, pages});
                else buildPage(*page, tab);
            }
            pages->setCurrentIndex(model->activePageIndex());
            QObject::connect(pages, &QTabWidget::currentChanged, pages,
                             [model](int index) { model->setActivePageIndex(index); });
            // The page that comes into sight is made, or shows its controls as they are now.
            QObject::connect(pages, &QTabWidget::currentChanged, this, [this] {
                buildInSight();
                refreshHeldBack();
            });
            watch(*control, [this, pages, model] {
                {
                    QSignalBlocker block(pages);
                    pages->setCurrentIndex(model->activePageIndex());
                }
                buildInSight();
                refreshHeldBack();
            });
        } else {
            build(control, widget);
        }
    }
}

bool WindowView::controlInArea(const Control& control) const {
    if (!control.visible()) return false;
    const Bounds& window = model_.bounds();
    const Bounds& b = control.bounds();
    if (window.width <= 0 || window.height <= 0 || b.width <= 0 || b.height <= 0) return true;
    return b.left < window.width && b.top < window.height && b.left + b.width > 0 && b.top + b.height > 0;
}

void WindowView::buildWindowControl(std::size_t pendingIndex) {
    Control* control = pendingControls_[pendingIndex].control;
    control->unobserve(pendingControls_[pendingIndex].observation);
    pendingControls_.erase(pendingControls_.begin() + static_cast<std::ptrdiff_t>(pendingIndex));
    buildControl(*control, this);
    // Made late, it still lies under the controls that come after it in the window.
    QWidget* widget = widgetFor(*control);
    if (!widget) return;
    std::vector<Control*> order = model_.childrenOf(nullptr);
    auto after = std::find(order.begin(), order.end(), control);
    for (auto next = after == order.end() ? after : after + 1; next != order.end(); ++next)
        if (auto made = widgets_.find(*next); made != widgets_.end()) {
            widget->stackUnder(made->second);
            break;
        }
}

void WindowView::bindCommon(Control& control, QWidget* widget) {
    widget->setObjectName(qs(control.name()));
    auto refresh = [widget, &control] {
        const Bounds& b = control.bounds();
        if (b.width > 0 && b.height > 0) widget->setGeometry(b.left, b.top, b.width, b.height);
        widget->setEnabled(control.enabled());
        widget->setToolTip(qs(control.hint()));
        widget->setVisible(control.visible());
    };
    refresh();
    watch(control, refresh);
}

namespace {

// The desktop theme's picture, or the style's own where the theme has none,
// so that a button without a caption never shows up blank.
QIcon pictureIcon(Button::Picture picture, const QWidget& widget) {
    const bool view = picture == Button::Picture::View;
    QIcon themed = QIcon::fromTheme(view ? "document-open" : "edit-delete");
    if (!themed.isNull()) return themed;
    return widget.style()->standardIcon(view ? QStyle::SP_FileDialogContentsView : QStyle::SP_TrashIcon);
}

}  // namespace

QWidget* WindowView::createGlyphButton(Button& model, QWidget* container) {
    // The symbol font's characters stand for arrows; Qt draws the arrow itself,
    // so no symbol font has to be installed.
    auto* button = new QToolButton(container);
    auto refresh = [button, &model] {
        static const std::map<std::string, Qt::ArrowType> arrows = {
            {"3", Qt::LeftArrow}, {"4", Qt::RightArrow}, {"5", Qt::UpArrow}, {"6", Qt::DownArrow}};
        auto arrow = arrows.find(model.caption());
        button->setArrowType(arrow == arrows.end() ? Qt::NoArrow : arrow->second);
        button->setText(arrow == arrows.end() ? qs(model.caption()) : QString());
    };
    refresh();
    QObject::connect(button, &QToolButton::clicked, button, [&model] { model.click(); });
    watch(model, refresh);
    return button;
}

void WindowView::bindDialogKeys() {
    Button* defaultButton = nullptr;
    Button* firstButton = nullptr;
    Button* cancelButton = nullptr;
    for (Control* control : model_.controls())
        if (auto* button = dynamic_cast<Button*>(control)) {
            if (!firstButton) firstButton = button;
            if (button->isDefault && !defaultButton) defaultButton = button;
            if (button->isCancel && !cancelButton) cancelButton = button;
        }
    // Without a marked one, Enter gives the window's first answer, else its first button.
    if (!defaultButton) defaultButton = model_.closingButtons().empty() ? firstButton : model_.closingButtons().front();
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        QObject::connect(shortcut, &QShortcut::activated, this, [this, defaultButton] {
            // A focused button takes Enter for itself, as it takes Space.
            if (auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
                focused && focused->window() == this) {
                focused->click();
                return;
            }
            if (defaultButton && defaultButton->enabled()) defaultButton->click();
        });
    }
    // Escape is the cancel button, or the close box when the window has none.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, this, [this, cancelButton] {
        if (cancelButton && cancelButton->enabled()) cancelButton->click();
        else close();
    });
}

QWidget* WindowView::createWidget(Control& control, QWidget* container) {
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::Label: {
            auto& model = static_cast<Label&>(control);
            auto* label = new QLabel(container);
            // A label taller than one line holds a paragraph.
            label->setWordWrap(model.bounds().height > 20);
            label->setAlignment((model.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            auto refresh = [label, &model] {
                label->setText(labelText(model.caption()));
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, toQColor(model.colour()));
                label->setPalette(palette);
            };
            refresh();
            watch(control, refresh);
            widget = label;
            break;
        }
        case ControlKind::Button: {
            auto& model = static_cast<Button&>(control);
            if (!model.glyphFont.empty()) {
                widget = createGlyphButton(model, container);
                break;
            }
            auto* button = new QPushButton(qs(model.caption()), container);
            if (model.picture != Button::Picture::None) button->setIcon(pictureIcon(model.picture, *button));
            button->setDefault(model.isDefault);
            QObject::connect(button, &QPushButton::clicked, button, [&model] { model.click(); });
            QObject::connect(button, &QPushButton::pressed, button, [&model] { model.press(); });
            QObject::connect(button, &QPushButton::released, button, [&model] { model.release(); });
            watch(control, [button, &model] { button->setText(qs(model.caption())); });
            widget = button;
            break;
        }
        case ControlKind::CheckBox: {
            auto& model = static_cast<CheckBox&>(control);
            auto* box = new QCheckBox(qs(model.caption()), container);
            auto refresh = [box, &model] {
                QSignalBlocker block(box);
                box->setText(qs(model.caption()));
                box->setChecked(model.checked());
            };
            refresh();
            QObject::connect(box, &QCheckBox::clicked, box, [&model](bool checked) { model.setChecked(checked); });
            watch(control, refresh);
            widget = box;
            break;
        }
        case ControlKind::RadioButton: {
            auto& model = static_cast<RadioButton&>(control);
            auto* radio = new QRadioButton(qs(model.caption()), container);
            radio->setAutoExclusive(false);  // the model keeps its group
            auto refresh = [radio, &model] {
                QSignalBlocker block(radio);
                radio->setText(qs(model.caption()));
                radio->setChecked(model.checked());
            };
            refresh();
            QObject::connect(radio, &QRadioButton::clicked, radio, [radio, &model] {
                model.click();
                QSignalBlocker block(radio);
                radio->setChecked(model.checked());
            });
            watch(control, refresh);
            widget = radio;
            break;
        }
        case ControlKind::SpinButton: {
            auto& model = static_cast<SpinButton&>(control);
            auto* arrows = new SpinArrows(container);
            QObject::connect(arrows->upButton(), &QToolButton::clicked, arrows, [&model] { model.up(); });
            QObject::connect(arrows->downButton(), &QToolButton::clicked, arrows, [&model] { model.down(); });
            widget = arrows;
            break;
        }
        case ControlKind::ComboBox: {
            auto& model = static_cast<ComboBox&>(control);
            auto* list = new QComboBox(container);
            auto refresh = [list, &model] {
                QSignalBlocker block(list);
                QStringList items = toStringList(model.items());
                QStringList shown;
                for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
                if (shown != items) {
                    list->clear();
                    list->addItems(items);
                }
                list->setCurrentIndex(model.itemIndex());
            };
            refresh();
            QObject::connect(list, &QComboBox::activated, list, [&model](int index) { model.select(index); });
            watch(control, refresh);
            widget = list;
            break;
        }
        case ControlKind::Edit: {
            auto& model = static_cast<Edit&>(control);
            auto* edit = new QLineEdit(container);
            if (model.maxLength > 0) edit->setMaxLength(model.maxLength);
            auto refresh = [edit, &model] {
                if (edit->text() == qs(model.text())) return;
                QSignalBlocker block(edit);
                edit->setText(qs(model.text()));
            };
            refresh();
            QObject::connect(edit, &QLineEdit::textEdited, edit,
                             [&model](const QString& text) { model.type(text.toStdString()); });
            watch(control, refresh);
            widget = edit;
            break;
        }
        case ControlKind::Memo: {
            auto& model = static_cast<Memo&>(control);
            auto* memo = new QPlainTextEdit(container);
            memo->setReadOnly(true);
            auto refresh = [memo, &model] { memo->setPlainText(qs(model.text())); };
            refresh();
            watch(control, refresh);
            widget = memo;
            break;
        }
        case ControlKind::TrackBar: {
            auto& model = static_cast<TrackBar&>(control);
            auto* slider = new QSlider(Qt::Horizontal, container);
            auto refresh = [slider, &model] {
                QSignalBlocker block(slider);
                slider->setRange(model.minimum, model.maximum);
                slider->setValue(model.position());
            };
            refresh();
            QObject::connect(slider, &QSlider::valueChanged, slider, [&model](int value) { model.setPosition(value); });
            watch(control, refresh);
            widget = slider;
            break;
        }
        case ControlKind::ProgressBar: {
            auto& model = static_cast<ProgressBar&>(control);
            auto* bar = new QProgressBar(container);
            bar->setTextVisible(false);
            auto refresh = [bar, &model] {
                bar->setRange(model.minimum, model.maximum);
                bar->setValue(model.position());
            };
            refresh();
            watch(control, refresh);
            widget = bar;
            break;
        }
        case ControlKind::Group: {
            auto& model = static_cast<Group&>(control);
            auto* group = new QGroupBox(labelText(model.caption()), container);
            watch(control, [group, &model] { group->setTitle(labelText(model.caption())); });
            widget = group;
            break;
        }
        case ControlKind::Panel: {
            auto* frame = new QFrame(container);
            widget = frame;
            break;
        }
        case ControlKind::PageControl: widget = new QTabWidget(container); break;
        case ControlKind::Image: {
            auto& model = static_cast<Image&>(control);
            auto* picture = new QLabel(container);
            picture->setAlignment(Qt::AlignCenter);
            auto refresh = [picture, &model] {
                QImage image = readImage(model.data());
                if (!image.isNull()) picture->setPixmap(QPixmap::fromImage(image));
                else  // a dialog's icon
                    picture->setPixmap(QApplication::style()
                                           ->standardIcon(model.icon == Image::Icon::Warning
                                                              ? QStyle::SP_MessageBoxWarning
                                                              : QStyle::SP_MessageBoxInformation)
                                           .pixmap(32, 32));
            };
            refresh();
            watch(control, refresh);
            widget = picture;
            break;
        }
        case ControlKind::Gauge: widget = createVUMeterView(static_cast<VUMeter&>(control), container); break;
        default:
            // Timers, menus and tray icons have no widget on the window; pages are made by their page control.
            return nullptr;
    }
    bindCommon(control, widget);
    return widget;
}

}  // namespace kvx::ui::qt
