#pragma once
// Precompiled header shared by every target of the build.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include "platform/afx/afx.h"
