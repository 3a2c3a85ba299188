# Controls of the dialogs (the gradient control).
