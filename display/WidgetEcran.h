#pragma once
// The screen panel's content: the screen image, the horizontal bar (zoom
// buttons and scroll bar) under it and the vertical bar at its right. It
// shows TEcran's image and forwards mouse, zoom and scroll events to it;
// everything else is in TEcran.
#include "display/Ecran.h"

#include <QScrollBar>
#include <QToolButton>
#include <QWidget>

class TImageEcran : public QWidget {
public:
    TImageEcran(TEcran& ecran, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TEcran& ecran_;
};

class TWidgetEcran : public QWidget {
public:
    explicit TWidgetEcran(QWidget* parent = nullptr);

    TEcran& ecran() { return ecran_; }
    // Size coefficients of the window (layout); the bars and buttons follow.
    void setCoefficientsTaille(float coDIMH, float coDimV);
    // Zoom buttons and scroll bars from the screen's state.
    void MAJBarres();

    QWidget* iEcranX() { return image_; }
    QToolButton* SBZoomPlusH = nullptr;
    QToolButton* SBZoomMoinsH = nullptr;
    QToolButton* SBZoomPlusV = nullptr;
    QToolButton* SBZoomMoinsV = nullptr;
    QScrollBar* SBHor = nullptr;
    QScrollBar* SBVert = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TEcran ecran_;
    TImageEcran* image_ = nullptr;
    QWidget* PanelSBH = nullptr;
    QWidget* PanelSBV = nullptr;
    bool bloque_ = false;

    void disposition();
    void finDefilement(QScrollBar* barre);
};
