// The entry points and data of the loaded regular-expression library, for the files that call
// it. Only the library's header types are used; nothing is linked.
#pragma once

#include <oniguruma.h>

struct TOnigApi {
    int (*New)(OnigRegex*, const OnigUChar*, const OnigUChar*, OnigOptionType, OnigEncoding,
               OnigSyntaxType*, OnigErrorInfo*);
    void (*Free)(OnigRegex);
    int (*SearchWithParam)(OnigRegex, const OnigUChar*, const OnigUChar*, const OnigUChar*,
                           const OnigUChar*, OnigRegion*, OnigOptionType, OnigMatchParam*);
    OnigRegion* (*RegionNew)();
    void (*RegionFree)(OnigRegion*, int);
    int (*ErrorCodeToStr)(OnigUChar*, int, ...);
    OnigMatchParam* (*NewMatchParam)();
    void (*FreeMatchParam)(OnigMatchParam*);
    int (*InitializeMatchParam)(OnigMatchParam*);
    int (*SetRetryLimitInMatch)(OnigMatchParam*, unsigned long);
    int (*SetRetryLimitInSearch)(OnigMatchParam*, unsigned long);
    int (*SetProgressCallout)(OnigMatchParam*, OnigCalloutFunc);
    int (*SetCalloutUserData)(OnigMatchParam*, void*);
    int (*Initialize)(OnigEncoding*, int);
    int (*End)();
    OnigEncoding ShiftJis;
    OnigSyntaxType* PerlSyntax;
};
