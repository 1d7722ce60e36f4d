/* WSPR tone table for an AD9850/51 (32-bit DDS), written by tunecalc.
 * DDS clock 180000000 Hz, RF x 1.
 * 5 bytes a tone: the 40-bit serial load in the order it is shifted in, W0-W7
 * first and each byte from its bit 0, the control byte W32-W39 last (bit 0:
 * the AD9851's 6x REFCLK multiplier, set when the PLL multiplier is 6)
 *
 *   byte   0       1        2         3         4
 *          W7-W0   W15-W8   W23-W16   W31-W24   W39-W32 control:
 *          bit 0 6x REFCLK (AD9851), 1 test (0), 2 power-down (0), 3-7 phase (0)
 *
 * 2 bands, 4 tones each, lowest first:
 *   0: 40 m: wanted 7040100.000 Hz, step 1.466833 Hz (+0.136 %)
 *   1: 30 m: wanted 10140200.000 Hz, step 1.466833 Hz (+0.136 %)
 */
#ifndef WSPR_TONE_TABLE_H
#define WSPR_TONE_TABLE_H

#include <stdint.h>

#ifndef WSPR_ROM
#define WSPR_ROM
#endif

#define WSPR_TONE_BAND_COUNT 2
#define WSPR_TONE_COUNT 4
#define WSPR_TONE_BYTES 5
#define WSPR_TONE_BAND_40M 0
#define WSPR_TONE_BAND_30M 1

const uint8_t wspr_tone_table[WSPR_TONE_BAND_COUNT][WSPR_TONE_COUNT][WSPR_TONE_BYTES] WSPR_ROM = {
  /* 40 m: wanted 7040100.000 Hz, step 1.466833 Hz (+0.136 %) */
  {
    {0xAD, 0x38, 0x03, 0x0A, 0x01}, /* tone 0: 7040097.811 Hz */
    {0xD0, 0x38, 0x03, 0x0A, 0x01}, /* tone 1: 7040099.278 Hz */
    {0xF3, 0x38, 0x03, 0x0A, 0x01}, /* tone 2: 7040100.745 Hz */
    {0x16, 0x39, 0x03, 0x0A, 0x01}  /* tone 3: 7040102.212 Hz */
  },
  /* 30 m: wanted 10140200.000 Hz, step 1.466833 Hz (+0.136 %) */
  {
    {0xF1, 0xEE, 0x6B, 0x0E, 0x01}, /* tone 0: 10140197.841 Hz */
    {0x14, 0xEF, 0x6B, 0x0E, 0x01}, /* tone 1: 10140199.307 Hz */
    {0x37, 0xEF, 0x6B, 0x0E, 0x01}, /* tone 2: 10140200.774 Hz */
    {0x5A, 0xEF, 0x6B, 0x0E, 0x01}  /* tone 3: 10140202.241 Hz */
  }
};

#endif /* WSPR_TONE_TABLE_H */
