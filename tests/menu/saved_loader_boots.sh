#!/usr/bin/env bash
# saved_loader_boots.sh SAVE_MAIN_MENU KORVEL_DAT
# Saves a main menu with the real writer, then boots the loader.bin it
# patched (menu file name, password, folder, loader switches) in qemu and
# expects the placeholder's notice naming the menu file.
set -eu
save=$1
korvel=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/cd/boot"
cp "$korvel" "$work/home/korvel.dat"
"$save" "$work/home" "$work/cd/boot"
bash "$here/../tools/boot_loader_in_qemu.sh" "$work/cd/boot/loader.bin" "Menu file: MYMENU.ZQK"
