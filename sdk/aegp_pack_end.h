/* Closes the packing that sdk/aegp_pack_begin.h opened. */
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(pop)
#endif
