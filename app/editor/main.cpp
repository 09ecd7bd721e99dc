#include "app/gui/my_app.h"

wxIMPLEMENT_APP(myApp);
