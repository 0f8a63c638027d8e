#include "settings/emphasis_samples.h"

#include <string>

void ApplyOwnFontColor(TForm& form, int n) {
    const std::string d = std::to_string(n);
    if (form.Checked("chkFontColor" + d)) {
        form.SetEnabled("lblFontColorInfo" + d, true);
        return;
    }
    form.SetEnabled("lblFontColorInfo" + d, false);
    const TColor normal = form.FontColor("lblNormalStr");
    form.SetFontColor("lblStrong" + d, normal);
    form.SetFontColor("shpUnderLine" + d, normal);
}

void RefreshEmphasisSamples(TForm& form) {
    for (int n = 1; n <= 5; ++n) {
        const std::string d = std::to_string(n);
        if (form.HasControl("chkFontColor" + d) && form.HasControl("lblFontColorInfo" + d) &&
            form.HasControl("lblStrong" + d) && form.HasControl("shpUnderLine" + d)) {
            ApplyOwnFontColor(form, n);
        }
    }
}
