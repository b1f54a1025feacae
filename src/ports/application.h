#pragma once
#include <string>

namespace tavrin {

// What the running program knows about itself. Texts are UTF-8.
class Application {
public:
    virtual ~Application() = default;
    // The folder of the running executable as the platform reports it
    // ("C:\Program Files\Tavrin", or "C:\" at a drive's root).
    virtual std::string ExeDirectory() const = 0;
    // The executable's file name without ".exe".
    virtual std::string ExeBaseName() const = 0;
    // True when only administrators may change the program's folder (the
    // Program Files folders): a task with full rights may run it.
    virtual bool InProtectedFolder() const = 0;
    // Everything after the program's path and the blank that separates it.
    virtual std::string Arguments() const = 0;
    // True when this process runs where a user sees windows: not in a
    // service's or SYSTEM's hidden window station.
    virtual bool OnUsersDesktop() const = 0;
    // True when another copy of this program is already running.
    virtual bool PreviousInstance() const = 0;
    // Ends the process at once; the windows go with it.
    virtual void End() = 0;
};

}  // namespace tavrin
