// The style editors of the main window's tabs, written against TForm and TPlatform so that they
// run the same on the desktop and headless: the colour pickers on the colour labels, the rules
// that enable, show or hide the controls that depend on another, the image choosers, the check
// of the rule-line counts and the hint of the keyword edits. Plain C++: no Qt here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/base/form.h"
#include "engine/base/platform.h"

// What the style editors need of a window beyond the values of its controls.
class TStyleView {
  public:
    virtual ~TStyleView() = default;
    virtual void SetFontStyle(std::string_view label, bool bold, bool italic) = 0;
    // A transparent label shows what lies behind it instead of its own colour.
    virtual void SetTransparent(std::string_view label, bool transparent) = 0;
    // The hint of a control and whether hints are shown for it.
    virtual void SetHint(std::string_view control, std::string_view hint, bool show) = 0;
    virtual void SetFocus(std::string_view control) = 0;
    // The hex colour dialog with its caption and colour set, shown modally: the colour chosen
    // with OK, std::nullopt after Cancel.
    virtual std::optional<TColor> PickColor(std::string_view caption, TColor color) = 0;
};

struct TStyleEditors {
    TForm& Form;
    TPlatform& Platform;
    TStyleView& View;
};

struct TFontStyle {
    bool Bold = false;
    bool Italic = false;
};

// Colour pickers. PickFontColor does nothing unless enabled; shape, when not empty, names the
// underline that takes the same colour.
void PickFontColor(TStyleEditors& e, std::string_view label, bool enabled, std::string_view shape);
void PickBackColor(TStyleEditors& e, std::string_view label);
// The page background: lblBg0 and every sample background behind the emphasis and rule samples.
void PickPageBackground(TStyleEditors& e);
// The click of lblStrongN: a pick only while chkFontColorN is ticked.
void PickEmphasisFontColor(TStyleEditors& e, int n);
// The click of lblNormalStr: a pick, then the samples without their own colour follow it.
void PickNormalFontColor(TStyleEditors& e);

// Dependent controls of emphasis rule n (1 to 5) and rule-line row n. The samples' following of
// the normal text colour (ApplyOwnFontColor, RefreshEmphasisSamples) lives with the settings
// reader, which needs it after a load.
void ApplyBackColorSwitch(TStyleEditors& e, int n);
TFontStyle EmphasisFontStyle(const TForm& form, int n);
void ApplyKeywordAction(TForm& form, int n);
void ApplyBorderStyle(TForm& form, int n);
void ApplyRuleColorSwitch(TForm& form, int n);
void ApplyBackgroundImageSwitch(TForm& form);
// The ruby notation makes every page HTML5 (PageDocType): while it is on, cmbDocType is
// disabled, keeping the choice for when it is turned off, and lblDocTypeNote says why.
void ApplyRubyDocType(TForm& form);

// Upright marks are set on vertical pages only: chkUprightThreeMarks is disabled, keeping its
// choice, while chkVerticalWriting is off.
void ApplyVerticalWritingSwitch(TForm& form);

// The image choosers: a file dialog preset to the label's path; OK puts the chosen path there.
void PickImageIntoLabel(TStyleEditors& e, std::string_view label);

// The check of edtHolMarkCntN (rule_line_count_check.h): anything but empty, 0 and 1 to 99 is
// refused and emptied, and the focus then goes to the edit.
void CheckRuleLineCountAndFocus(TStyleEditors& e, int n);

// The hint of edtKeywordN as it gets the focus: the enclosing-characters help for the kind
// "で囲む文字", no hint for any other kind.
void ShowEnclosingHint(TStyleEditors& e, int n);

// Makes every dependent control agree with the control it depends on (the window as it opens).
void ApplyAllStyleRules(TStyleEditors& e);

// Connects the change behaviours of the check boxes, drop-downs and count edits.
void ConnectStyleEditors(TStyleEditors& e);

// The folder of a native path, where a file dialog preset to that path opens: empty when the path
// has none. False, after the I/O error "I/O エラー (%d)" has been shown, when the folder does not
// exist.
bool PrepareDialogFolder(TPlatform& platform, const std::string& nativePath, std::string& folder);
