#pragma once

#include <QColor>
#include <QWidget>

// A strip of hues; the colour it yields is the chosen hue at full saturation and half lightness,
// opaque. Giving it a colour keeps only that colour's hue.
class HuePicker : public QWidget
{
    Q_OBJECT

public:
    explicit HuePicker(QWidget *parent = nullptr);

    QColor color() const;
    void setColor(const QColor &color);
    int hue() const { return m_hue; }
    void setHue(int hue);

    QSize sizeHint() const override { return {220, 24}; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pickAt(int x);

    int m_hue = 0;
};
