#include "settings/rule_line_count_check.h"

#include <string>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

void CheckRuleLineCount(TForm& form, TPlatform& platform, int n) {
    const std::string edit = "edtHolMarkCnt" + std::to_string(n);
    if (IsInRange(form.Text(edit), true, 1, 99))
        return;
    ShowOk(platform, TMessageKind::Information,
           Sjis("ここには、1～99までの整数を入力してください。"));
    form.SetText(edit, "");
}

void ConnectRuleLineCountChecks(TForm& form, TPlatform& platform) {
    for (int n = 1; n <= 5; ++n) {
        form.SetChangeHandler("edtHolMarkCnt" + std::to_string(n),
                              [&form, &platform, n] { CheckRuleLineCount(form, platform, n); });
    }
}
