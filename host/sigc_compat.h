// The windows connect signals with SigC::slot(object, &Class::method), the
// spelling of the toolkit's signal library; this maps it onto libsigc++ 2.
#ifndef UDOVOR_HOST_SIGC_COMPAT_H
#define UDOVOR_HOST_SIGC_COMPAT_H

#include <sigc++/sigc++.h>

namespace SigC {

template <class Obj, class Cls, class R, class... A>
auto slot(Obj& obj, R (Cls::*method)(A...))
{
    return sigc::mem_fun(static_cast<Cls&>(obj), method);
}

template <class Obj, class Cls, class R, class... A>
auto slot(Obj* obj, R (Cls::*method)(A...))
{
    return sigc::mem_fun(*static_cast<Cls*>(obj), method);
}

}  // namespace SigC

#endif
