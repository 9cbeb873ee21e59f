/* Resource numbers of Velkora.exe, read by resources.rc and by the code
   that loads them, so plain C macros. */
#ifndef VELKORA_RESOURCE_IDS_H
#define VELKORA_RESOURCE_IDS_H

/* The first icon group, which the shell and the layer's windows show. */
#define VELKORA_ICON 1

/* RCDATA: whole files from velkora/assets/. */
#define VELKORA_SPINNER_FONT 100      /* Setup.ttf */
#define VELKORA_SWITCH_ON_NORMAL 110  /* the switch pictures, bitmap files */
#define VELKORA_SWITCH_ON_HOVER 111
#define VELKORA_SWITCH_ON_PRESSED 112
#define VELKORA_SWITCH_OFF_NORMAL 113
#define VELKORA_SWITCH_OFF_ACTIVE 114

#endif
