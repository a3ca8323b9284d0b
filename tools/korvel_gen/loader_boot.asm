; Placeholder "loader.bin" of the korvel template: a 2,048-byte El Torito
; no-emulation boot program. The real menu loader is not part of this
; project, so a disc booted with it says so on the screen (BIOS teletype)
; and on COM1, names the menu file it was made for, and halts.
;
; The menu file writer patches these fields of the image; the code and the
; texts stay clear of them:
;   309..320   menu file name (12 bytes, NUL-padded)
;   1141..1150 main menu password (uint16 length, 8 bytes)
;   1152..1159 image folder name (8 bytes, NUL-padded)
;   2043..2045 KeepKernel, mode byte, DefaultMenuOff
;   2046..2047 boot signature 0x55 0xAA
; Bytes 8..63 are left free as well, so that an image builder that writes a
; boot information table there cannot hit the code.
;
; Assembled with: nasm -f bin -o loader_boot.bin loader_boot.asm
; The bytes are kept in loader_boot_bytes.inc (see make_loader_boot_inc.sh).

bits 16
org 0

kNameField   equ 309
kNameLength  equ 12
kCom1        equ 0x3F8

        jmp     short entry             ; 0: over the boot information area
        nop
        times 64 - ($ - $$) db 0

entry:                                  ; 64
        jmp     0x07C0:normalised       ; CS:IP = 07C0:xxxx whatever the BIOS used
normalised:
        cli
        mov     ax, cs
        mov     ds, ax
        mov     es, ax
        xor     ax, ax
        mov     ss, ax
        mov     sp, 0x7C00
        sti
        cld
        call    serial_init
        mov     si, notice
        call    print
        cmp     byte [kNameField], 0
        je      .no_name
        mov     si, name_label
        call    print
        mov     si, kNameField
        mov     cx, kNameLength
        call    print_field
        mov     si, line_end
        call    print
.no_name:
        mov     si, halt_text
        call    print
.halt:
        cli
        hlt
        jmp     .halt

; Prints the NUL-terminated text at DS:SI.
print:
        lodsb
        test    al, al
        jz      .done
        call    put_char
        jmp     print
.done:
        ret

; Prints at most CX bytes from DS:SI, stopping at a NUL.
print_field:
        lodsb
        test    al, al
        jz      .done
        call    put_char
        loop    print_field
.done:
        ret

; Writes AL to the screen and to COM1.
put_char:
        push    ax
        push    bx
        mov     ah, 0x0E
        mov     bx, 0x0007
        int     0x10
        pop     bx
        pop     ax
        push    ax
        push    cx
        push    dx
        mov     ah, al
        mov     dx, kCom1 + 5           ; line status: wait for an empty holding register
        mov     cx, 0xFFFF              ; bounded, for machines without a COM1
.wait:
        in      al, dx
        test    al, 0x20
        jnz     .ready
        loop    .wait
.ready:
        mov     al, ah
        mov     dx, kCom1
        out     dx, al
        pop     dx
        pop     cx
        pop     ax
        ret

; COM1 at 9600 baud, 8 data bits, no parity, 1 stop bit, no interrupts.
serial_init:
        mov     dx, kCom1 + 1
        xor     al, al
        out     dx, al
        mov     dx, kCom1 + 3
        mov     al, 0x80
        out     dx, al
        mov     dx, kCom1
        mov     al, 12
        out     dx, al
        mov     dx, kCom1 + 1
        xor     al, al
        out     dx, al
        mov     dx, kCom1 + 3
        mov     al, 0x03
        out     dx, al
        mov     dx, kCom1 + 4
        mov     al, 0x03
        out     dx, al
        ret

code_end:
%if (code_end - $$) > kNameField
  %error "code reaches the menu file name field"
%endif
        times 324 - ($ - $$) db 0

notice:     db 13, 10, "Tarnwick placeholder boot loader", 13, 10
            db "The korvel menu loader is not included on this disc.", 13, 10, 0
name_label: db "Menu file: ", 0
line_end:   db 13, 10, 0
halt_text:  db "System halted.", 13, 10, 0
text_end:
%if (text_end - $$) > 1141
  %error "texts reach the password field"
%endif
        times 2043 - ($ - $$) db 0
        db 0                            ; 2043 KeepKernel
        db 0                            ; 2044 mode byte
        db 0                            ; 2045 DefaultMenuOff
        db 0x55, 0xAA                   ; 2046
