// The check of the rule-line count edits edtHolMarkCnt1 to edtHolMarkCnt5: an empty text, 0 and
// the whole numbers 1 to 99 are accepted; anything else shows "ここには、1～99までの整数を入力して
// ください。" and empties the edit (which runs the check again and passes).
#pragma once

#include "engine/base/form.h"
#include "engine/base/platform.h"

// Checks edtHolMarkCnt<n> of form as its text-changed behaviour does.
void CheckRuleLineCount(TForm& form, TPlatform& platform, int n);

// Connects the check as the text-changed behaviour of the five edits. form and platform must
// outlive the connection.
void ConnectRuleLineCountChecks(TForm& form, TPlatform& platform);
