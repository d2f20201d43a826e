#include "libs/vevure/FeatureLayout.h"
