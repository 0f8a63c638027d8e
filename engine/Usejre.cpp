#include "engine/Usejre.h"

cJre::cJre() = default;

cJre::~cJre() = default;
