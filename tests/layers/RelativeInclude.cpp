// A lower layer reaching up past the include roots: the build must refuse it.
#include "../app/Form1.h"
