# The callbacks the host calls, in ordinal order, with their argument counts
# (each argument is 32 bits; the callee removes them from the stack).
set(QBX_PLUGIN_EXPORTS
  TSC_OnStart:0
  TSC_OnExit:0
  TSC_OnMenuInit:3
  TSC_OnOpenFolder:1
  TSC_OnOpenMail:1
  TSC_OnEveryMinute:0
  TSC_OnOpenCompose:2
  TSC_OnOutgoing:2
  TSC_OnKeyDispatch:3
  TSC_OnRetrieve:2
  TSC_OnSend:1
  TSC_OnFinishRetrieve:1
  TSC_OnPlugInSetup:1
  TSC_OnPlugInInfo:1
  TSC_OnDragDrop:4
)
