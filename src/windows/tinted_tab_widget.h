#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace pellimore {

// A tab bar with tabs of one fixed width whose faces are, when owner-drawn, filled with
// PanelTint and carry their caption centred in black (the selected tab like the others).
class TintedTabBar : public QTabBar {
  Q_OBJECT

 public:
  explicit TintedTabBar(QWidget* parent = nullptr);

  void setOwnerDrawn(bool ownerDrawn);
  bool ownerDrawn() const { return m_ownerDrawn; }
  void setFixedTabWidth(int width);
  int fixedTabWidth() const { return m_fixedTabWidth; }

 protected:
  QSize tabSizeHint(int index) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool m_ownerDrawn = false;
  int m_fixedTabWidth = 0;
};

// The page controls of the main window.
class TintedTabWidget : public QTabWidget {
  Q_OBJECT

 public:
  explicit TintedTabWidget(QWidget* parent = nullptr);

  TintedTabBar* tintedTabBar() const { return m_tabBar; }

 private:
  TintedTabBar* m_tabBar;
};

}  // namespace pellimore
