#pragma once

#include <QPushButton>

// A borderless button that shows only its text in the palette's ButtonText colour, with a faint
// rounded plate while pressed. Keeps rows free of the style's bevels.
class GlyphButton : public QPushButton {
    Q_OBJECT
public:
    explicit GlyphButton(QWidget* parent = nullptr);

    void setGlyph(const QString& text, const QColor& color, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;
};
