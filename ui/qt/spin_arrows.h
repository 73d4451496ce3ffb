#pragma once
#include <QToolButton>
#include <QWidget>

namespace kvx::ui::qt {

// An up arrow above a down arrow, the look of a classic spin button that
// steps a value shown elsewhere.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace kvx::ui::qt
