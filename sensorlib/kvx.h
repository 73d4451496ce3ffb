/*
 * kvx.h - the sensor library contract.
 *
 * Korvex reaches the mainboard's monitoring hardware only through a sensor
 * library: a shared object loaded with dlopen() whose operations are resolved
 * by name with dlsym().  Every operation has C linkage.  Out-parameters point
 * to storage owned by the caller; the library never keeps those pointers.
 *
 * Calling order.  Korvex calls a library from one thread only.  At start it
 * calls ClockRate(), waits 200 ms, calls CheckLM78() and, only when that
 * answered non-zero, RestartLM78(); then GetSMBAddress().  On every poll,
 * while the chip is present, GetLM78Voltages() and GetLM78Fans(); then the
 * temperature operation chosen for each of the three sensors.
 *
 * No reading.  A temperature operation that has no value returns exactly -1;
 * a fan without a reading reports 255.  A library never turns a failed read
 * into 0.
 *
 * Optional operations.  KVX_LOGO, KvxSetTime, KvxStartupError and
 * KvxListSensors may be absent; every other
 * operation must be exported, or Korvex refuses the library as a whole and
 * runs as if no chip and no temperature sensor were present.
 */
#ifndef KVX_SENSORLIB_KVX_H
#define KVX_SENSORLIB_KVX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Processor clock in MHz. */
int32_t ClockRate(void);

/* Non-zero when a mainboard monitor chip (LM78, LM79, W83781D or alike) is present. */
uint8_t CheckLM78(void);

/* Re-initialises the chip; called once, only after CheckLM78() answered non-zero. */
void RestartLM78(void);

/* I/O base of the SMBus; 0xFFFE when there is none. */
uint16_t GetSMBAddress(void);

/* The seven rails in volts, already scaled and signed, in this order:
 * core port 0, core port 1, +3.3, +5, +12, -12, -5. */
void GetLM78Voltages(double* core0, double* core1, double* p33, double* p5, double* p12, double* n12, double* n5);

/* Fan speeds 1..3 in RPM; 255 where a fan has no reading. */
void GetLM78Fans(int32_t* fan1, int32_t* fan2, int32_t* fan3);

/* Sets the divisor (1, 2, 4 or 8) of fan 1 or 2; later GetLM78Fans() results account for it. */
void SetLM78FanDiv(int32_t fan, int32_t divisor);

/* Temperature 1 of the mainboard chip in whole degrees Celsius, or -1. */
int32_t GetLM78Temp(void);

/* Temperatures 2 and 3 of a W83781D-style chip in degrees Celsius, or -1. */
double GetWinBondSensor2(void);
double GetWinBondSensor3(void);

/* Whole degrees Celsius of the LM75 at read address 0x91, 0x93 .. 0x9F on the
 * SMBus at `smbus`, or -1. */
int32_t GetLMOutPut(uint16_t smbus, int32_t readAddress);

/* 0x10 for a W83781D, 0x2D for an LM78/LM79, any other value: neither. */
int32_t GetChipID(void);

/* Percent of memory in use. */
int32_t MemoryUse(void);

/* Physical memory in bytes (64-bit: 32-bit counts wrap above 2 GiB). */
int64_t TotalPhysicalMemory(void);
int64_t AvailablePhysicalMemory(void);

/* Fills `buffer` with a length byte followed by that many characters of the
 * user's name (at most 255, not terminated). */
void GetCurrentUserName(uint8_t buffer[256]);

/* Starts a tone of `pitch` Hz on the PC speaker; it sounds until StopPCSpeaker(). */
void StartPCSpeaker(uint16_t pitch);
void StopPCSpeaker(void);

/* Optional: the splash logo as PNG or BMP bytes, owned by the library and
 * valid while it stays loaded.  *size receives the byte count. */
const uint8_t* KVX_LOGO(size_t* size);

/* Optional: the program's clock in ms since it started; Korvex calls it
 * before every other call so that a library can follow virtual time. */
void KvxSetTime(int64_t msSinceStart);

/* Optional: NULL when the library is ready to serve; otherwise one line that
 * says why it cannot, naming the input at fault (for example
 * "board.txt:4: unknown key 'tmp'").  Korvex calls it right after loading,
 * prints the line and ends with exit code 2.  The text is owned by the library. */
const char* KvxStartupError(void);

/* Optional: what the library found, as text for a person: each chip and its
 * inputs with their readings, and which input feeds which operation above and
 * why (`korvex --list-sensors` prints it).  Lines end with '\n'.  May be called
 * at any time after loading, also when KvxStartupError() answered non-NULL
 * (the text then says why nothing is read).  The text is owned by the library
 * and stays valid until the next call of KvxListSensors or until the library
 * is unloaded. */
const char* KvxListSensors(void);

#ifdef __cplusplus
}
#endif

#endif /* KVX_SENSORLIB_KVX_H */
