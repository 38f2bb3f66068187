#include "windows/tinted_tab_widget.h"

#include <QPainter>

#include "windows/modern_look.h"

namespace pellimore {

TintedTabBar::TintedTabBar(QWidget* parent) : QTabBar(parent) {
  setExpanding(false);
  setElideMode(Qt::ElideRight);
}

void TintedTabBar::setOwnerDrawn(bool ownerDrawn) {
  m_ownerDrawn = ownerDrawn;
  update();
}

void TintedTabBar::setFixedTabWidth(int width) {
  m_fixedTabWidth = width;
  updateGeometry();
  adjustSize();
}

QSize TintedTabBar::tabSizeHint(int index) const {
  QSize size = QTabBar::tabSizeHint(index);
  if (m_fixedTabWidth > 0) size.setWidth(m_fixedTabWidth);
  return size;
}

void TintedTabBar::paintEvent(QPaintEvent* event) {
  if (!m_ownerDrawn) {
    QTabBar::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.setPen(Qt::black);
  const QFontMetrics metrics = fontMetrics();
  for (int i = 0; i < count(); ++i) {
    const QRect rect = tabRect(i);
    painter.fillRect(rect, PanelTint);
    const QString caption = tabText(i);
    const QSize textSize(metrics.horizontalAdvance(caption), metrics.height());
    const QPoint origin = TabCaptionOrigin(rect, textSize);
    painter.drawText(origin.x(), origin.y() + metrics.ascent(), caption);
  }
}

TintedTabWidget::TintedTabWidget(QWidget* parent) : QTabWidget(parent), m_tabBar(new TintedTabBar(this)) {
  setTabBar(m_tabBar);
}

}  // namespace pellimore
