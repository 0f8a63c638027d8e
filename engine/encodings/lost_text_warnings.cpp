#include "engine/encodings/lost_text_warnings.h"

#include <string>

#include "engine/encodings/input_decoder.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/text/encoding.h"

void WarnAboutLostText(TPlatform& platform, const TInputDecoder* decoder, const TSjisBridge* bridge,
                       TTextEncoding input) {
    if (decoder && decoder->InvalidBytes() > 0) {
        ShowOk(platform, TMessageKind::Warning,
               Sjis("文字コード（") + EncodingDisplayName(input) +
                   Sjis("）として読めないバイトが ") + std::to_string(decoder->InvalidBytes()) +
                   Sjis(" 個あり、〓 に置き換えました。\r\n最初は ") +
                   std::to_string(decoder->FirstInvalidLine()) + Sjis(" 行目です。"));
    }
    if (bridge && bridge->Unkept() > 0) {
        ShowOk(platform, TMessageKind::Warning,
               Sjis("Shift_JIS にない文字が多すぎるため、") + std::to_string(bridge->Unkept()) +
                   Sjis(" 種類の文字を 〓 に置き換えました。"));
    }
    if (bridge && bridge->Unreadable() > 0) {
        ShowOk(platform, TMessageKind::Warning,
               Sjis("Shift_JIS として読めないバイトが ") + std::to_string(bridge->Unreadable()) +
                   Sjis(" 個あり、ページでは 〓 に置き換えました。"));
    }
}

void WarnAboutControlCharacters(TPlatform& platform, long long count, long long firstLine,
                                TPageEncoding page) {
    if (count == 0)
        return;
    std::string text = Sjis("ページに書けない制御文字が ") + std::to_string(count) +
                       Sjis(" 個あり、") +
                       (page == TPageEncoding::Utf8 ? std::string("U+FFFD") : Sjis("〓")) +
                       Sjis(" に置き換えました。");
    if (firstLine > 0)
        text += Sjis("\r\n最初は ") + std::to_string(firstLine) + Sjis(" 行目です。");
    ShowOk(platform, TMessageKind::Warning, text);
}
