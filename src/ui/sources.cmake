# The small form and control layer the dialogs are built on.
