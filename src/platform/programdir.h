#pragma once

#include <QString>

// The directory of the running executable, symbolic links resolved, so that a link in
// ~/bin to the binary in the MAME directory finds MAME, KvCfg and INP there.
QString programDirectory();
