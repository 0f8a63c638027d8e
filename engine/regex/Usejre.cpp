#include "engine/regex/Usejre.h"

cJre::cJre() = default;

cJre::~cJre() = default;
