#include "app/desktop/qt_modal_host.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <memory>

#include "ui/qt/window_view.h"

namespace kvx::ui::qt {
namespace {

Button* buttonCaptioned(const Window& window, const std::string& caption) {
    for (Control* c : window.controls())
        if (auto* button = dynamic_cast<Button*>(c); button && app::sameCaption(button->caption(), caption))
            return button;
    return nullptr;
}

bool onScreen(const QWidget& view) { return view.windowHandle() && view.windowHandle()->isExposed(); }

}  // namespace

void QtModalHost::showModal(Window& window) {
    // Dialogs open centred on the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        const Bounds& b = window.bounds();
        window.setPosition(area.left() + (area.width() - b.width) / 2, area.top() + (area.height() - b.height) / 2);
    }
    // Type and modality are given before the first showing: changing them on a
    // shown window would unmap and map it again, which a window manager can lose.
    Qt::WindowFlags type = Qt::Dialog;
    if (!window.titleButtons) type |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    WindowView view(window, type, Qt::ApplicationModal);
    view.activateWindow();

    auto answer = answers_.scriptedFor(window.name());
    if (answer && !answer->button.empty()) {
        // As a person would: the press comes only once the window can be seen.
        scheduler_.runUntil([&] { return !window.isModalShowing() || onScreen(view); });
        Button* button = buttonCaptioned(window, answer->button);
        auto showing = std::make_shared<bool>(true);
        platform::TaskId press = 0;
        if (button)
            press = scheduler_.schedule(scheduler_.nowMs() + answer->afterMs, platform::TaskPriority::Script,
                                        [button, showing] {
                                            if (*showing) button->click();
                                        });
        else if (window.isModalShowing()) {
            diagnostics_ << "korvex: window " << window.name() << " has no button \"" << answer->button
                         << "\"; closing it instead\n";
            window.close();
        }
        scheduler_.runUntil([&window] { return !window.isModalShowing(); });
        *showing = false;
        scheduler_.cancel(press);
        return;
    }
    scheduler_.runUntil([&window] { return !window.isModalShowing(); });
}

}  // namespace kvx::ui::qt
