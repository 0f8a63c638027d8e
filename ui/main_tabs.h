// The setting pages of the main window, each built with its named controls in their initial
// state (the same names and values as engine/base/main_window_controls.cpp).
#pragma once

#include <QWidget>

QWidget* BuildCommonTab();         // "共通設定１": colours, font, tags, tabs, links
QWidget* BuildPageStyleTab();      // "共通設定２": margins, background image, stylesheet file
QWidget* BuildEmphasisTab(int n);  // "強調１" to "強調５"
QWidget* BuildHeadFootTab();       // "ヘッダーフッター"
QWidget* BuildHorizonTab();        // "水平線"
