#include "libs/vevure/FeatureRecord.h"
