// cJre: a holder of the regular-expression library, kept in each rule's list of compiled
// patterns. The conversion never creates one (the compiled engines are TBRegExp objects); the
// list is emptied when the rules are prepared.
#pragma once

#include "engine/regex/regex_library.h"

class cJre {
  public:
    cJre();
    ~cJre();
    cJre(const cJre&) = delete;
    cJre& operator=(const cJre&) = delete;

    bool LibraryLoaded() const { return library_.Get() != nullptr; }

  private:
    TRegexLibrary library_;  // released when the holder goes
};
