// The one list of interim stand-ins: hooks and services that answer a neutral value until the
// component that owns them is built. Whoever builds that component replaces the stand-in and
// removes its row here; whoever adds a stand-in adds its row.
//
// | stand-in (where)                                   | answers now                        | replaced by                          |
// |----------------------------------------------------|------------------------------------|--------------------------------------|
// | views/view_services.cpp, view_services_state.cpp   | what is not built yet does nothing | the edit-window views and editing    |
// | views/compose.cpp IsZoom2Enabled                   | on                                 | the vehicle-graphic library          |
// | views/scrolling.cpp PushPositionHistory            | records only, no going back        | the position history                 |
// | views/navigation.cpp NavigationHooks               | a moved window keeps its animated  | the animated cells, block marking    |
// |   (rebuildAnimations, reshowBlockMarking)          | cells; marking is not re-shown     |                                      |
// | views/view_services.cpp PaintOverviewRange         | nothing painted                    | the overview views                   |
// | views/view_services.cpp Start/RemoveAnimationAt    | no animated cells                  | the animated cells                   |
// | views/view_services_state.cpp GetSlotCodes         | the palette's first entry          | the symbol palette                   |
// | elements/element_services.cpp                      | no aspect shown                    | the signal elements                  |
// |   RefreshSignalElementAspectAt                     |                                    |                                      |
// | elements/element_services.cpp, _write.cpp          | empty stores, no copy text         | each element family's store          |
// | elements/element_services.cpp GetTpInfoAt,         | no element found (event texts name | the TP, Dwx and signal-system stores,|
// |   GetTpPart, DwxGetAt, QuerySignalSystems,         |   "???"), nothing written to the   |   the log file                       |
// |   LogDisplayEvent                                  |   log                              |                                      |
// | elements/element_symbols.cpp                       | the element symbol classes         | the symbol definitions               |
// | trains/train_services.cpp                          | no train dialogs                   | the train dialogs                    |
// | trains/train_reserve.cpp SignalConditionForTrain   | the condition lets the train on (1)| the signal conditions                |
// | trains/train_services.cpp PushIntoTrain            | no push: the train ahead blocks    | joining and contact between trains   |
// | elements/element_services.cpp                      | no signal system state (0); no     | the signal systems and signal        |
// |   GetSignalSystemState, TriggerElementAt           | element to trigger (7)             | switching                            |
// | trains/train_services.cpp EditTrainAtCell          | no dialog                          | the train dialogs                    |
// | app/position_dialogs.cpp EditPositionInfo,         | no dialog, nothing changes         | the info-text and log-point dialogs  |
// |   EditElementSettings                              |                                    |                                      |
// | graphics/userfiles.cpp GetSymbolFileName           | no page has a file of its own      | the user graphic-file lists          |
// | trains/sim_clock.cpp ClockWorkTable (null rows)    | that work is skipped               | TP schedules, signal timers          |
// | elements/element_services.cpp MatchHstForTrain,    | no stop applies; no TP has anything| the stops, the TP elements           |
// |   MatchTpForTrain, ClearTpHoldAt                   | for a train (1), none held         |                                      |
// | elements/element_services.cpp PrellGetWait         | no wait at a buffer stop (-1)      | the buffer stops                     |
// | elements/element_services.cpp GetTpHeldNumber      | no element (1): a held train keeps | the TP elements                      |
// |                                                    | the number read from the file      |                                      |
// | elements/element_services.cpp WriteLogEntry,       | no log line written                | the log points and the log file      |
// |   LogTrainEvent                                    |                                    |                                      |
// | trains/train_services.cpp ApplyTpTrainData         | nothing taken over from a TP       | the attribute take-over              |
// | trains/train_services.cpp RouteTrainAtPoint        | nothing split (2): a split by hand | splitting and turning at route points|
// |                                                    |   is refused with 12               |                                      |
// | signalling/switch_decide.cpp                       | a non-empty expression is not met  | the condition expressions            |
// |   EvaluateElementExpression                        |                                    |                                      |
// | signalling/switch_copytext.cpp SwitchTexts         | expressions and route lists travel | the condition and pair-list texts    |
// |                                                    | empty in the copy text             | and the expression text form         |
// | signalling/switch_question.cpp                     | the edit window stays at the       | the train dialogs' follow options    |
// |   SwitchQuestionFollowOptions                      | switch's level                     |                                      |
// | model/grid_textlabel_shim.cpp (GetTextsExtent,     | no labels, no text found           | the text labels                      |
// |   GetTextCell, FindTextRun)                        |                                    |                                      |
// | app/netcmd.cpp FileCommands: loadUserSymbolFiles   | no user symbol files (0)           | the user graphic-file lists          |
// | app/netcmd.cpp FileCommands: importDrawingScript   | nothing drawn                      | the drawing-script import            |
// | app/netcmd.cpp FileCommands: updateAnimationsInView| nothing                            | the animated cells                   |
// | graphics/cellbuf.cpp GetAnimatedCode               | every code unchanged               | the animated cells                   |
// | graphics/vehicle_file.cpp VehicleFileNameSource    | the network's stored list entry    | the user graphic-file lists          |
// |   (user vehicle-graphic and numbered file names)   | (tests fill it; no list dialog)    |                                      |
// | app/optionfile_keys.cpp SettingsHeld (P, Q,         | kept and checked by the option     | picture export, text-table export,   |
// |   Stat_Opt, Stat_Sep, E, SuchText, SuchSym,        |   file only                        | text search, background bitmap,      |
// |   HgrBmpOpt, Zoom2)                                |                                    | zoom-2 graphics                      |
// | elements/element_services.cpp remembered symbol    | kept and checked, not yet used     | the signal, switch, RP, TP and Dwx   |
// |   forms (BauformHSig .. BauformSK, Wei, Rp, Tp,    |                                    |   dialogs                            |
// |   Dwx), StoreSigASwitch                            |                                    |                                      |
// | views/view_services_state.cpp palette selection    | kept, no palette entries           | the symbol palette                   |
// | elements/depots.cpp GetSignalIdByName,             | no signal system named (0, "")     | the signal systems                   |
// |   GetDepotSignalSystemName                         |                                    |                                      |
// | elements/element_services.cpp WriteInfoTextReport  | nothing written                    | the info texts                       |
#pragma once
