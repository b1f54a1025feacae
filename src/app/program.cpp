#include "app/program.h"

#include "app/module_main.h"
#include "elevated/run_elevated_call.h"
#include "hotkeys/hidden_start.h"
#include "ports/application.h"
#include "ports/elevation.h"
#include "script/script_client.h"

namespace tavrin {

Models::Models(ProgramPorts& p, SetupStore& store, StartWithWindows& startUp, CountdownDialogs& countdowns,
               ModuleShutDown& shutDown, ModuleSound& sound)
    : shutdown(store, p.clock, p.dateTimeText, countdowns, shutDown),
      keyOff(store, p.powerKeys, countdowns, shutDown),
      keyVol(store, p.volumeKeys, sound),
      easyLogin(p.registry, store, p.elevation),
      sync(store, startUp, p.tcpClient, p.clockSetter, p.clock, p.elevation),
      main({shutdown, keyOff, keyVol, easyLogin, sync}, p.browser, p.app, p.clock, p.dateTimeText),
      script(shutdown, countdowns, store, p.clock),
      icon(main, shutdown, p.registry) {
    keyOff.Connect(keyVol);
    keyVol.Connect(keyOff);
    countdowns.SetPostponer(&shutdown);
    main.AdmitsCommandsFromBelow = p.elevation.Elevated();
    script.onArmed = [this] { icon.AnnounceArmed(); };
}

Program::Program(ProgramPorts ports, ShowModels showModels)
    : ports_(ports),
      showModels_(std::move(showModels)),
      startUp_(ports.registry, ports.app, ports.logonTask, ports.elevation, ports.messageBox),
      store_(ports.registry, ports.clock, startUp_),
      shutDown_(ports.power, ports.workstation, ports.messageBox),
      countdowns_(shutDown_, ports.countdownView),
      sound_(ports.audio) {}

std::optional<int> Program::Start() {
    ProgramPorts& p = ports_;
    if (const auto exitCode =
            RunIfElevatedCall(p.app.Arguments(), {p.registry, p.clockSetter, p.clock, p.logonTask, p.app, p.elevation}))
        return exitCode;
    if (const auto exitCode = RunScriptCommand({p.app, p.runningCopy, p.console, p.messageBox, p.clock}))
        return exitCode;
    const bool runs = RunStartUp({p.app, p.runningCopy, p.workstation, store_}, [&]() -> frmMain& {
        models_ = std::make_unique<Models>(p, store_, startUp_, countdowns_, shutDown_, sound_);
        if (showModels_) views_ = showModels_(*models_);
        return models_->main;
    });
    if (!runs) return 0;
    // Commands are taken only once the start is over: one arriving in a modal
    // loop of a window's load would race the load.
    models_->main.onRequest = [m = models_.get()](std::string_view request) { return m->script.Handle(request); };
    RegisterAllAfterHiddenLoad(models_->keyOff, models_->keyVol);
    models_->icon.Start();
    return std::nullopt;
}

}  // namespace tavrin
