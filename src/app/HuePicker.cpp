#include "app/HuePicker.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

HuePicker::HuePicker(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(20);
    setCursor(Qt::PointingHandCursor);
}

QColor HuePicker::color() const
{
    return QColor::fromHslF(m_hue / 360.0f, 1.0f, 0.5f).toRgb();
}

void HuePicker::setColor(const QColor &color)
{
    setHue(std::max(0, color.toHsl().hslHue()));
}

void HuePicker::setHue(int hue)
{
    hue = ((hue % 360) + 360) % 360;
    if (hue != m_hue) {
        m_hue = hue;
        update();
    }
}

void HuePicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient gradient(0, 0, width(), 0);
    for (int h = 0; h <= 360; h += 30)
        gradient.setColorAt(h / 360.0, QColor::fromHsl(h % 360, 255, 128));
    const QRect strip = rect().adjusted(1, 3, -1, -3);
    p.fillRect(strip, gradient);
    const int x = strip.left() + m_hue * strip.width() / 360;
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(QRect(x - 3, 1, 6, height() - 2));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(QRect(x - 2, 2, 4, height() - 4));
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void HuePicker::pickAt(int x)
{
    setHue(std::clamp(x, 0, width() - 1) * 360 / std::max(1, width()));
}

void HuePicker::mousePressEvent(QMouseEvent *event)
{
    pickAt(event->position().toPoint().x());
    emit clicked();
}

void HuePicker::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        pickAt(event->position().toPoint().x());
        emit clicked();
    }
}

void HuePicker::mouseDoubleClickEvent(QMouseEvent *)
{
    emit doubleClicked();
}

void HuePicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        setHue(m_hue + (event->key() == Qt::Key_Left ? -5 : 5));
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
