/* Resource ids of Rovenza's bitmaps and icon (see rovenza.rc). */
#ifndef ROVENZA_RESOURCE_H
#define ROVENZA_RESOURCE_H

#define IDB_ABOUT_BANNER 101 /* About window banner, 450x50, 256 colours */
#define IDB_SPLASH 102       /* splash photograph, 450x330, 1 bit per pixel */

/* Panel keys, 26x22, 16 colours: key bitmap i is IDB_KEY_FIRST + i. */
#define IDB_KEY_FIRST 200
#define IDB_KEY_DIGIT0 200   /* digits 0-9 are 200-209 */
#define IDB_KEY_CLEAR 210    /* clear the typed number */
#define IDB_KEY_FORWARD 211  /* step forward one frame */
#define IDB_KEY_BACK 212     /* step back one frame */
#define IDB_KEY_RESET 213    /* reset to frame 0 */
#define IDB_KEY_ON 214       /* start */
#define IDB_KEY_LAST 214
#define IDB_KEY_COUNT 15

#define IDI_PROGRAM 215      /* program icon, 32x32, 16 colours */
#define IDB_HELP_BUTTON 300  /* layout form help button, 71x29, 16 colours */

/* Built-in sounds, RCDATA WAV files made by tools/make_sounds.py. */
#define IDR_SOUND_FIRST 400
#define IDR_SOUND_START 400  /* the motor spinning up */
#define IDR_SOUND_RUN 401    /* the motor running, looped */
#define IDR_SOUND_STOP 402   /* the motor running down and the brake */
#define IDR_SOUND_CLICK 403  /* an LED sign's relay */

#endif
