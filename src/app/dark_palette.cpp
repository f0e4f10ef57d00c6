#include "app/dark_palette.h"

#include "ui/theme.h"

QPalette darkPalette() {
    QPalette palette;
    const QColor disabledText = Theme::textMuted;

    palette.setColor(QPalette::Window, Theme::background);
    palette.setColor(QPalette::WindowText, Theme::textPrimary);
    palette.setColor(QPalette::Base, Theme::surface);
    palette.setColor(QPalette::AlternateBase, Theme::panel);
    palette.setColor(QPalette::ToolTipBase, Theme::panel);
    palette.setColor(QPalette::ToolTipText, Theme::textPrimary);
    palette.setColor(QPalette::PlaceholderText, Theme::textTertiary);
    palette.setColor(QPalette::Text, Theme::textPrimary);
    palette.setColor(QPalette::Button, Theme::panel);
    palette.setColor(QPalette::ButtonText, Theme::textPrimary);
    palette.setColor(QPalette::BrightText, Theme::red);
    palette.setColor(QPalette::Highlight, Theme::accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, Theme::accent);
    palette.setColor(QPalette::LinkVisited, Theme::accent.lighter(130));

    // Fusion draws bevels and frames from these.
    palette.setColor(QPalette::Light, QColor(0x3a, 0x3a, 0x3a));
    palette.setColor(QPalette::Midlight, QColor(0x2e, 0x2e, 0x2e));
    palette.setColor(QPalette::Mid, Theme::border);
    palette.setColor(QPalette::Dark, Theme::headerLine);
    palette.setColor(QPalette::Shadow, Qt::black);

    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, Theme::border);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, Theme::background);
    palette.setColor(QPalette::Disabled, QPalette::Button, Theme::background);
    return palette;
}
