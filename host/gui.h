// Everything a window of the plug-in needs from the host's GUI toolkit.
#ifndef UDOVOR_HOST_GUI_H
#define UDOVOR_HOST_GUI_H

#include "host/ebase.h"
#include "host/ebutton.h"
#include "host/elabel.h"
#include "host/elistbox.h"
#include "host/emessagebox.h"
#include "host/ewidget.h"
#include "host/ewindow.h"
#include "host/sigc_compat.h"

#endif
