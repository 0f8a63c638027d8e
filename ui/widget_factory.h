// Small helpers that create the named controls of the windows with their initial state, so the
// window code reads as a list of controls.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "ui/color_label.h"

// Item lists shared by several drop-downs.
QStringList UnitItems();
QStringList FontFamilyItems();
QStringList KeywordKindItems();
QStringList KeywordActionItems();
QStringList BorderStyleItems();

// maxLength 0 leaves the length free.
QLineEdit* NewEdit(QWidget* parent, const QString& name, int maxLength = 0,
                   const QString& text = {});
QComboBox* NewCombo(QWidget* parent, const QString& name, const QStringList& items, int index = 0);
QCheckBox* NewCheck(QWidget* parent, const QString& name, const QString& caption, bool checked,
                    const QString& hint = {});
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption,
                       const QString& hint = {});
// A label that stores a colour: its text colour (font) and its own colour (own).
TColorLabel* NewColorLabel(QWidget* parent, const QString& name, const QString& caption,
                           TColor font, TColor own);
// The white, sunken box that shows a path; the path comes from a dialog or a drop.
TColorLabel* NewPathLabel(QWidget* parent, const QString& name, const QString& hint = {});
// A caption for the control next to it.
QLabel* NewCaption(QWidget* parent, const QString& caption, QWidget* buddy = nullptr);

// The objectName of base followed by the rule number n.
QString NumberedName(const char* base, int n);
